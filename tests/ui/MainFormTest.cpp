#include "MainFormFixture.h"

#include "fakes/DiskFull.h"

#include <QTest>

using MainFormTest = MainFormFixture;

TEST_F(MainFormTest, CaptionWaitsForTheFirstRefreshThenCounts)
{
    Store(1);
    Store(2);
    FApi.SetPeople({Person(1, true), Person(2, true)});
    FApi.SetDelay(300);
    Start();
    EXPECT_EQ(FForm->windowTitle(), "Подключение...");
    ASSERT_TRUE(WaitForRefresh());
    EXPECT_EQ(FForm->windowTitle(), "2 пользователя онлайн");
    EXPECT_EQ(FForm->TrayIcon().BalloonHint(), ""); // loaded people are not announced
    EXPECT_EQ(FForm->TrayIcon().Hint(), QString("2 пользователя онлайн:\r\n\r\nИмя1 Фамилия\r\nИмя2 Фамилия"));

    FApi.SetDelay(0);
    FApi.SetPeople({Person(1, false), Person(2, true)});
    Refresh();
    EXPECT_EQ(FForm->windowTitle(), "1 пользователь онлайн");
    EXPECT_EQ(FForm->TrayIcon().BalloonHint(), ""); // offline notices are off by default

    FApi.SetPeople({Person(1, true), Person(2, true)});
    Refresh();
    EXPECT_EQ(FForm->TrayIcon().BalloonHint(), "Имя1 Фамилия теперь онлайн");
}

TEST_F(MainFormTest, OnlineAndOfflineInOneBalloon)
{
    Store(1);
    Store(2);
    Store(3);
    FApi.SetPeople({Person(1, false), Person(2, false), Person(3, true)});
    Start("ShowOfflineNotifications=1\n");
    ASSERT_TRUE(WaitForRefresh());
    FApi.SetPeople({Person(1, true), Person(2, true), Person(3, false)});
    Refresh();
    EXPECT_EQ(FForm->TrayIcon().BalloonHint(),
              "Имя1 Фамилия и Имя2 Фамилия теперь онлайн\r\n\r\nИмя3 Фамилия больше не онлайн");
}

TEST_F(MainFormTest, FailedRefreshPutsEveryoneOfflineSilentlyAndTheNextAnnouncesThem)
{
    Store(1);
    FApi.SetPeople({Person(1, true)});
    Start();
    ASSERT_TRUE(WaitForRefresh());
    EXPECT_EQ(FForm->windowTitle(), "1 пользователь онлайн");
    FApi.SetStatus(500);
    Refresh();
    EXPECT_EQ(FForm->windowTitle(), "Онлайн никого нет");
    EXPECT_EQ(FForm->TrayIcon().BalloonHint(), "");
    FApi.SetStatus(0);
    Refresh();
    EXPECT_EQ(FForm->TrayIcon().BalloonHint(), "Имя1 Фамилия теперь онлайн");
}

TEST_F(MainFormTest, EmptyListSaysSoAtOnce)
{
    Start();
    EXPECT_EQ(FForm->windowTitle(), "В списке нет пользователей");
}

TEST_F(MainFormTest, NoticesOffChangeOnlyTheCounts)
{
    Store(1);
    FApi.SetPeople({Person(1, false)});
    Start("ShowNotifications=0\nShowOfflineNotifications=0\n");
    ASSERT_TRUE(WaitForRefresh());
    FApi.SetPeople({Person(1, true)});
    Refresh();
    EXPECT_EQ(FForm->windowTitle(), "1 пользователь онлайн");
    EXPECT_EQ(FForm->TrayIcon().BalloonHint(), "");
}

TEST_F(MainFormTest, CloseHidesToTheTrayWhileExitAndTheSessionsEndLeave)
{
    const auto saved = [this] {
        QFile file(FDir.path() + "/Settings.ini");
        return file.open(QIODevice::ReadOnly) && file.readAll().contains("FormHeight=");
    };
    const std::function<void(TMainForm&)> leave[] = {
        // The tray menu's exit, the exit message and the session's end, with the window hidden.
        [](TMainForm& form) { form.CloseForGood(); },
        [](TMainForm& form) {
            form.show();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
            QTest::keyClick(&form, Qt::Key_F4, Qt::AltModifier);
        },
    };
    for (const auto& how : leave) {
        Start();
        ASSERT_TRUE(WaitForRefresh()); // the exit sequence abandons a refresh still running
        FForm->show();
        FForm->close();
        EXPECT_FALSE(FForm->isVisible());
        EXPECT_TRUE(FForm->TrayIcon().Visible());
        EXPECT_FALSE(saved());
        how(*FForm);
        EXPECT_FALSE(FForm->TrayIcon().Visible());
        EXPECT_TRUE(saved());
        EndWindow();
    }
}

TEST_F(MainFormTest, DraggingTheWidthSwitchesModes)
{
    const struct {
        int Dragged;
        int Width;
        Qt::WindowType Border;
        int MinimumHeight;
        int ToolbarHeight;
        int RowHeight;
    } drags[] = {
        {265, 280, Qt::Window, 225, 44, 66}, // not yet narrow enough: back to normal
        {250, 250, Qt::Tool, 194, 35, 44},
        {251, 280, Qt::Window, 225, 44, 66},
    };
    Start();
    FForm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FForm.get()));
    const QPoint position = FForm->pos();
    for (const auto& drag : drags) {
        FForm->resize(drag.Dragged, FForm->height());
        ASSERT_TRUE(WaitUntil([&] { return FForm->windowType() == drag.Border && FForm->isVisible(); }))
            << drag.Dragged;
        EXPECT_EQ(FForm->width(), drag.Width) << drag.Dragged;
        EXPECT_EQ(FForm->minimumHeight(), drag.MinimumHeight) << drag.Dragged;
        EXPECT_EQ(FForm->findChild<QWidget*>("pnlToolbar")->height(), drag.ToolbarHeight) << drag.Dragged;
        EXPECT_EQ(FForm->UserList().RowHeight(), drag.RowHeight) << drag.Dragged;
        EXPECT_EQ(FForm->pos(), position) << drag.Dragged;
    }
    EXPECT_FALSE(Settings->SmallUI());
}

// A full disk at exit: the settings and the people's files stay as they were, and the program
// still ends as it should.
TEST_F(MainFormTest, ExitOnAFullDiskKeepsEveryFile)
{
    Store(1);
    FApi.SetPeople({Person(1, true)});
    Start();
    ASSERT_TRUE(WaitForRefresh());
    const QByteArray settings = [this] {
        QFile file(FDir.path() + "/Settings.ini");
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    const QByteArray person = [this] {
        QFile file(UserFile(1));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    {
        TDiskFull full;
        FForm->CloseForGood();
    }
    EXPECT_FALSE(FForm->TrayIcon().Visible());
    QFile settingsFile(FDir.path() + "/Settings.ini");
    ASSERT_TRUE(settingsFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(settingsFile.readAll(), settings);
    QFile personFile(UserFile(1));
    ASSERT_TRUE(personFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(personFile.readAll(), person);
    EndWindow();
}
