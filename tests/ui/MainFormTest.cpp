#include "app/ManagedThreads.h"
#include "app/ProgramObjects.h"
#include "fakes/FakeVkApi.h"
#include "platform/SingleInstance.h"
#include "support/Deployment.h"
#include "support/Directories.h"
#include "support/ProgramSettings.h"
#include "ui/MainForm.h"
#include "vk/VKStoredUser.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// The real main window over stored people, refreshing against the fake VK API.
class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", (FDir.path() + "/config").toLocal8Bit());
        OverrideUserDataDir(FDir.path());
        FObjects = std::make_unique<TProgramObjects>();
    }
    void TearDown() override
    {
        FForm.reset();
        FObjects.reset();
        OverrideUserDataDir({});
        SetDeployment({});
        if (FOldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", FOldConfig);
    }
    void Store(int uid)
    {
        TVKStoredUser user;
        user.SetProfileID(uid);
        user.SetPageID("id" + QString::number(uid));
        user.SetName("Имя" + QString::number(uid));
        user.Save(UsersDir() + user.GetFilename());
    }
    void Start(const QString& generalSettings = "")
    {
        QFile settings(FDir.path() + "/Settings.ini");
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(("[General]\nAutoLoad=0\nUpdateInterval=3600\n" + generalSettings + "[Deployment]\nApiHost="
                        + FApi.HostPort() + "\nCAFile=" + TTestCertificates::Shared().CAFile() + "\n")
                           .toUtf8());
        settings.close();
        Settings->Load();
        FForm = std::make_unique<TMainForm>(FInstance, false);
    }
    static TFakePerson Person(int uid, bool online) { return TFakePerson::Named(uid, online); }
    bool WaitForRefresh()
    {
        const QDeadlineTimer deadline(20000);
        QCoreApplication::processEvents();
        // A worker leaves the registry a moment before it has ended.
        const auto busy = [this] { return ThreadManager->Count() > 0 || FForm->Refreshing(); };
        while (busy() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
        return !busy();
    }
    // The timer is an hour away: refresh as F5 does.
    void Refresh()
    {
        for (QAction* action : FForm->actions())
            if (action->shortcut() == QKeySequence(Qt::Key_F5))
                action->trigger();
        ASSERT_TRUE(WaitForRefresh());
    }

    QTemporaryDir FDir;
    QByteArray FOldConfig;
    TFakeVkApi FApi;
    std::unique_ptr<TProgramObjects> FObjects;
    TSingleInstance FInstance;
    std::unique_ptr<TMainForm> FForm;
};
}

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
