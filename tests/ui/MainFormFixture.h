#pragma once

#include "app/ProgramObjects.h"
#include "base/ManagedThreads.h"
#include "fakes/FakeVkApi.h"
#include "fakes/TestCertificates.h"
#include "platform/SingleInstance.h"
#include "support/Directories.h"
#include "support/ProgramSettings.h"
#include "ui/MainForm.h"
#include "vk/VKStoredUser.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

// The real main window over stored people, refreshing against the fake VK API.
class MainFormFixture : public ::testing::Test {
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
        EndWindow();
        FObjects.reset();
        OverrideUserDataDir({});
        if (FOldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", FOldConfig);
    }
    void Store(int uid, const QString& pageId = {}, const QString& customName = {})
    {
        TVKStoredUser user(PeopleFolders());
        user.SetProfileID(uid);
        user.SetPageID(pageId.isEmpty() ? "id" + QString::number(uid) : pageId);
        user.SetName("Имя" + QString::number(uid) + " Фамилия");
        user.SetCustomName(customName);
        user.Save(UsersDir() + user.GetFilename());
    }
    QString UserFile(int uid) const { return UsersDir() + QString::number(uid) + ".ini"; }
    void Start(const QString& generalSettings = "", const QString& deployment = "")
    {
        QFile settings(FDir.path() + "/Settings.ini");
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write(("[General]\nAutoLoad=0\nUpdateInterval=3600\n" + generalSettings + "[Deployment]\nApiHost="
                        + FApi.HostPort() + "\nCAFile=" + TTestCertificates::Shared().CAFile() + "\n" + deployment)
                           .toUtf8());
        settings.close();
        Settings->Load();
        FForm = std::make_unique<TMainForm>(FInstance, false);
    }
    // Ends the window as the program does and starts it again over the same files.
    void Restart()
    {
        EndWindow();
        FObjects.reset();
        FObjects = std::make_unique<TProgramObjects>();
        Settings->Load();
        FForm = std::make_unique<TMainForm>(FInstance, false);
    }
    // A refresh cut off by the window's end frees its people on its own thread: let it finish
    // before the program-wide objects go.
    void EndWindow()
    {
        FForm.reset();
        EXPECT_TRUE(WaitUntil([] { return ThreadManager->Count() == 0; }));
    }
    static TFakePerson Person(int uid, bool online) { return TFakePerson::Named(uid, online); }
    static bool WaitUntil(const std::function<bool()>& done, int ms = 20000)
    {
        const QDeadlineTimer deadline(ms);
        QCoreApplication::processEvents();
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
        return done();
    }
    // A worker leaves the registry a moment before it has ended.
    bool WaitForRefresh()
    {
        return WaitUntil([this] { return ThreadManager->Count() == 0 && !FForm->Refreshing(); });
    }
    QAction* Action(const QString& text) const
    {
        for (QAction* action : FForm->findChildren<QAction*>())
            if (action->text() == text)
                return action;
        return nullptr;
    }
    // The timer is an hour away: refresh as F5 does.
    void Refresh()
    {
        for (QAction* action : FForm->actions())
            if (action->shortcut() == QKeySequence(Qt::Key_F5))
                action->trigger();
        ASSERT_TRUE(WaitForRefresh());
    }
    // Runs step on the next modal window to appear, from inside its own event loop.
    static void OnNextModal(std::function<void(QWidget&)> step)
    {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, [poll, step = std::move(step)] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            poll->stop();
            poll->deleteLater();
            step(*modal);
        });
        poll->start(10);
    }

    QTemporaryDir FDir;
    QByteArray FOldConfig;
    TFakeVkApi FApi;
    std::unique_ptr<TProgramObjects> FObjects;
    TSingleInstance FInstance;
    std::unique_ptr<TMainForm> FForm;
};
