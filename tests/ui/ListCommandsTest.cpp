#include "MainFormFixture.h"

#include "base/Thread.h"
#include "ui/AddForm.h"

#include <QDir>

#include <QContextMenuEvent>
#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

namespace {
class ListCommandsTest : public MainFormFixture {
protected:
    TVKUserListBox& List() { return FForm->UserList(); }
    QPoint RowCentre(int row) { return List().visualItemRect(List().item(row)).center(); }
    // Positions need the window laid out on the screen.
    QPoint BelowTheRows()
    {
        FForm->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(FForm.get()));
        EXPECT_GT(List().viewport()->height(), List().count() * List().RowHeight());
        return {10, List().viewport()->height() - 2};
    }
    // The texts of the menu that opens, "-" for a separator, "(off)" after a disabled item.
    QStringList MenuAt(QPoint pos)
    {
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, List().viewport()->mapToGlobal(pos));
        QApplication::sendEvent(List().viewport(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return {"no menu"};
        QStringList items;
        for (QAction* action : menu->actions())
            items << (action->isSeparator() ? "-" : action->text() + (action->isEnabled() ? "" : " (off)"));
        menu->close();
        return items;
    }
    void Rename(int row, const QString& text)
    {
        List().SelectIndex(row);
        OnNextModal([text](QWidget& modal) {
            auto* input = qobject_cast<QInputDialog*>(&modal);
            ASSERT_NE(input, nullptr);
            EXPECT_EQ(input->windowTitle(), "Переименование");
            EXPECT_EQ(input->labelText(), "Имя в списке");
            input->setTextValue(text);
            input->accept();
        });
        Action("Переименовать...")->trigger();
    }
    QString CustomName(int row) { return List().GetUser(row)->CustomName(); }
};
}

TEST_F(ListCommandsTest, ContextMenusFollowThePointer)
{
    Store(1);
    Start();
    ASSERT_TRUE(WaitForRefresh()); // the fake does not know person 1: it stays offline
    const QStringList itemMenu {"Перейти на страницу", "Отправить сообщение...", "-", "Переименовать...", "Удалить"};
    const QPoint below = BelowTheRows();
    EXPECT_EQ(MenuAt(RowCentre(0)), itemMenu);
    EXPECT_EQ(List().SelectedIndex(), 0);
    EXPECT_EQ(MenuAt(below), QStringList {"Добавить..."});
    EXPECT_EQ(List().SelectedIndex(), -1);

    // A person whose profile id is not known yet cannot be written to.
    auto unknown = std::make_shared<TVKStoredUser>(PeopleFolders());
    unknown->SetPageID("someone");
    List().AddUser(unknown);
    QStringList offered = MenuAt(RowCentre(1));
    EXPECT_EQ(offered.value(1), "Отправить сообщение... (off)");
}

TEST_F(ListCommandsTest, ClicksSelectDeselectAndDoubleClickOnAnEmptyListAdds)
{
    Store(1);
    Start();
    List().SelectIndex(0);
    const QPoint below = BelowTheRows();
    QMouseEvent press(QEvent::MouseButtonPress, below, List().viewport()->mapToGlobal(below), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, below, List().viewport()->mapToGlobal(below), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(List().viewport(), &press);
    QApplication::sendEvent(List().viewport(), &release);
    EXPECT_EQ(List().SelectedIndex(), -1);

    List().SelectIndex(0);
    Action("Удалить")->trigger();
    ASSERT_EQ(List().count(), 0);
    bool addDialog = false;
    OnNextModal([&](QWidget& modal) {
        addDialog = qobject_cast<TAddForm*>(&modal) != nullptr;
        modal.close();
    });
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, below, List().viewport()->mapToGlobal(below),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(List().viewport(), &doubleClick);
    EXPECT_TRUE(addDialog);
}

TEST_F(ListCommandsTest, RenameShowsTheNewNameAndKeepsItAcrossARestart)
{
    Store(1);
    Start();
    Rename(0, "Друг");
    EXPECT_EQ(CustomName(0), "Друг");
    Rename(0, "Имя1 Фамилия"); // the VK name again
    EXPECT_EQ(CustomName(0), "Друг");
    Rename(0, "");
    EXPECT_EQ(CustomName(0), "Друг");
    Restart();
    ASSERT_EQ(List().count(), 1);
    EXPECT_EQ(CustomName(0), "Друг");
}

TEST_F(ListCommandsTest, DeleteAsksNothingAndCountsAtOnce)
{
    Store(1);
    Store(2);
    FApi.SetPeople({Person(1, true), Person(2, true)});
    Start();
    ASSERT_TRUE(WaitForRefresh());
    ASSERT_EQ(FForm->windowTitle(), "2 пользователя онлайн");
    List().SelectIndex(0);
    const int uid = List().GetUser(0)->ProfileID();
    FForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(FForm.get()));
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(FForm->windowTitle(), "1 пользователь онлайн");
    EXPECT_FALSE(QFile::exists(UserFile(uid)));
    EXPECT_TRUE(QFile::exists(UserFile(3 - uid)));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ListCommandsTest, SelectionStaysWithItsPersonWhenTheListIsSorted)
{
    Store(1);
    Store(2);
    FApi.SetPeople({Person(1, false), Person(2, false)});
    Start();
    ASSERT_TRUE(WaitForRefresh());
    List().SelectIndex(1);
    ASSERT_EQ(List().GetUser(1)->ProfileID(), 2);
    FApi.SetPeople({Person(1, false), Person(2, true)}); // 2 comes online and moves to the top
    Refresh();
    ASSERT_EQ(List().SelectedIndex(), 0);
    EXPECT_EQ(List().GetUser(0)->ProfileID(), 2);
}

TEST_F(ListCommandsTest, HaveMeLooksForTheDeploymentsProfile)
{
    Store(1);
    Store(77);
    Start("", "HaveMeProfileID=77\n");
    EXPECT_TRUE(FForm->HaveMe());
    List().SelectIndex(List().IndexOfProfileID(77));
    Action("Удалить")->trigger();
    EXPECT_FALSE(FForm->HaveMe());
}

// The browser is a script that writes down what it was asked to open.
TEST_F(ListCommandsTest, PageAndMessageFormOpenInTheBrowser)
{
    const QString bin = FDir.path() + "/bin";
    QDir().mkpath(bin);
    QFile opener(bin + "/xdg-open");
    ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
    opener.write(("#!/bin/sh\necho \"$1\" >> " + FDir.path() + "/opened\n").toUtf8());
    opener.close();
    opener.setPermissions(opener.permissions() | QFileDevice::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.toLocal8Bit() + ":" + oldPath);

    Store(5, "durov");
    Start("", "SiteHost=site.test:8080\n");
    List().SelectIndex(0);
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, RowCentre(0), List().viewport()->mapToGlobal(RowCentre(0)),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(List().viewport(), &doubleClick);
    const QString opened = FDir.path() + "/opened";
    const auto lines = [&] {
        QFile file(opened);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                                              : QStringList();
    };
    EXPECT_TRUE(WaitUntil([&] { return lines().size() == 1; }));
    Action("Отправить сообщение...")->trigger();
    EXPECT_TRUE(WaitUntil([&] { return lines().size() == 2; }));
    EXPECT_TRUE(WaitUntil([] { return WaitForAllThreadsEnded(0); })); // nothing left running at exit
    qputenv("PATH", oldPath);
    EXPECT_EQ(lines(), QStringList({"http://site.test:8080/durov", "http://site.test:8080/write5"}));
}
