#include "MainFormFixture.h"

#include "support/IniFile.h"
#include "ui/AddForm.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace {
// What one press of "Добавить" left behind.
struct TAttempt {
    QString Error;
    bool Open = false;
};

class AddFormTest : public MainFormFixture {
protected:
    // Opens the dialog as the add button does and types each text in turn, pressing Add, while
    // the dialog stays open; presses Cancel if it is still open at the end.
    std::vector<TAttempt> Add(const QStringList& texts, const std::function<void(TAddForm&)>& whileOpen = {})
    {
        std::vector<TAttempt> attempts;
        OnNextModal([&](QWidget& modal) {
            auto* dialog = qobject_cast<TAddForm*>(&modal);
            ASSERT_NE(dialog, nullptr);
            for (const QString& text : texts) {
                dialog->findChild<QLineEdit*>("edtLink")->setText(text);
                dialog->findChild<QPushButton*>("btnAdd")->click();
                ASSERT_TRUE(WaitUntil([&] { return !dialog->isVisible() || !dialog->Frozen(); }));
                attempts.push_back({dialog->findChild<QLineEdit*>("edtError")->text(), dialog->isVisible()});
                if (!dialog->isVisible())
                    return;
            }
            if (whileOpen)
                whileOpen(*dialog);
            dialog->findChild<QPushButton*>("Button2")->click();
        });
        Action("Добавить...")->trigger();
        return attempts;
    }
    QString SelectedName() const
    {
        const int index = FForm->UserList().SelectedIndex();
        return index < 0 ? QString() : FForm->UserList().GetUser(index)->Name();
    }
};
}

TEST_F(AddFormTest, TypedTextIsLookedUpAsItsPageId)
{
    TFakePerson some = Person(7, true);
    some.ScreenName = "some.page";
    FApi.SetPeople({some, Person(12345, false)});
    Start("", "SiteHost=site.test\n");
    ASSERT_TRUE(WaitForRefresh());
    const struct {
        const char* Typed;
        const char* LookedUp;
        const char* Error; // empty: added
    } cases[] = {
        {" HTTPS://SITE.TEST/Some.Page ", "some.page", ""},
        {"12345", "id12345", ""},
        {"-5", "-5", "Неправильный адрес пользователя"},
        {"0", "0", "Неправильный адрес пользователя"},
        {"http://m.site.test/durov", "m.site.test/durov", "Неправильный адрес пользователя"},
    };
    int listed = 0;
    for (const auto& c : cases) {
        const std::vector<TAttempt> attempts = Add({c.Typed});
        ASSERT_EQ(attempts.size(), 1u) << c.Typed;
        EXPECT_EQ(FApi.LookedUp().last(), c.LookedUp) << c.Typed;
        EXPECT_EQ(attempts[0].Error, c.Error) << c.Typed;
        EXPECT_EQ(attempts[0].Open, *c.Error != 0) << c.Typed;
        listed += *c.Error ? 0 : 1;
        EXPECT_EQ(FForm->UserList().count(), listed) << c.Typed;
    }
    EXPECT_TRUE(QFile::exists(UserFile(7)));
    EXPECT_EQ(FForm->windowTitle(), "1 пользователь онлайн");
    EXPECT_EQ(FForm->TrayIcon().BalloonHint(), ""); // a person just added is not announced
}

TEST_F(AddFormTest, FailuresStayInTheDialogForACorrection)
{
    TFakePerson community = Person(3, false);
    community.NotAPerson = true;
    FApi.SetPeople({Person(1, false), community});
    Start();
    const std::vector<TAttempt> attempts = Add({"no.such.page", "id3", "id1"});
    ASSERT_EQ(attempts.size(), 3u);
    EXPECT_EQ(attempts[0].Error, "Неправильный адрес пользователя");
    EXPECT_EQ(attempts[1].Error, "Такого пользователя не существует");
    EXPECT_FALSE(attempts[2].Open);
    ASSERT_EQ(FForm->UserList().count(), 1);
    EXPECT_EQ(FForm->UserList().GetUser(0)->ProfileID(), 1);
    EXPECT_FALSE(QFile::exists(UserFile(3)));

    FApi.SetStatus(500);
    EXPECT_EQ(Add({"id2"}).at(0).Error, "На сервере произошел сбой");
    FApi.SetStatus(0);
    FApi.SetMode(TFakeVkApi::TMode::Drop);
    EXPECT_FALSE(Add({"id2"}).at(0).Error.isEmpty());
    EXPECT_EQ(FForm->UserList().count(), 1);
}

TEST_F(AddFormTest, AlreadyListedPeopleAreSelectedNotAdded)
{
    Store(1);
    Store(2, "durov", "Свой");
    TFakePerson durov = Person(2, false);
    durov.ScreenName = "durov";
    FApi.SetPeople({Person(1, false), durov});
    Start();
    ASSERT_TRUE(WaitForRefresh());
    const int requests = int(FApi.LookedUp().size());

    EXPECT_FALSE(Add({"https://vk.com/id1"}).at(0).Open);
    EXPECT_EQ(FApi.LookedUp().size(), requests); // known by page id: no request
    EXPECT_EQ(SelectedName(), "Имя1 Фамилия");

    // Listed by screen name, asked for by number: resolved, then the listed entry is selected.
    EXPECT_FALSE(Add({"2"}).at(0).Open);
    EXPECT_EQ(FApi.LookedUp().last(), "id2");
    EXPECT_EQ(SelectedName(), "Имя2 Фамилия");
    EXPECT_EQ(FForm->UserList().count(), 2);
    // The resolved duplicate leaves the listed person's file alone.
    EXPECT_EQ(TIniFile::FromFile(UserFile(2)).ReadString("User", "CustomName", ""), "Свой");
}

TEST_F(AddFormTest, CancelWhileResolvingStopsTheLookupAndKeepsTheDialog)
{
    FApi.SetPeople({Person(5, true)});
    FApi.SetDelay(500);
    Start();
    bool frozenAtFirst = false;
    bool openAfterCancel = false;
    bool frozenAfterCancel = true;
    OnNextModal([&](QWidget& modal) {
        auto& dialog = static_cast<TAddForm&>(modal);
        dialog.findChild<QLineEdit*>("edtLink")->setText("id5");
        dialog.findChild<QPushButton*>("btnAdd")->click();
        frozenAtFirst = dialog.Frozen() && !dialog.findChild<QLineEdit*>("edtLink")->isEnabled();
        dialog.close(); // the title bar cannot close it now
        dialog.reject(); // Esc stops the lookup
        openAfterCancel = dialog.isVisible();
        frozenAfterCancel = dialog.Frozen();
        WaitUntil([] { return ThreadManager->Count() == 0; }); // the cut-off lookup ends
        openAfterCancel = openAfterCancel && dialog.isVisible();
        dialog.reject();
    });
    Action("Добавить...")->trigger();
    EXPECT_TRUE(frozenAtFirst);
    EXPECT_TRUE(openAfterCancel);
    EXPECT_FALSE(frozenAfterCancel);
    EXPECT_EQ(FForm->UserList().count(), 0);
    EXPECT_FALSE(QFile::exists(UserFile(5))); // the user cancelled: nothing kept
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(AddFormTest, NoMoreThan999People)
{
    Start();
    for (int i = 0; i < 998; ++i)
        FForm->UserList().AddUser(std::make_shared<TVKStoredUser>(PeopleFolders()));
    bool dialogOpened = false;
    Add({}, [&](TAddForm&) { dialogOpened = true; });
    EXPECT_TRUE(dialogOpened);

    FForm->UserList().AddUser(std::make_shared<TVKStoredUser>(PeopleFolders()));
    QString box;
    OnNextModal([&](QWidget& modal) {
        auto* message = qobject_cast<QMessageBox*>(&modal);
        ASSERT_NE(message, nullptr);
        box = message->windowTitle() + "|" + message->text();
        message->accept();
    });
    Action("Добавить...")->trigger();
    EXPECT_EQ(box, "Проблема|Нельзя добавить больше 999 пользователей. Сначала удалите кого-нибудь.");
}
