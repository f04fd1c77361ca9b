#include "ProgramProcess.h"

#include "app/ProgramObjects.h"
#include "platform/SingleInstance.h"
#include "support/Directories.h"
#include "support/ProgramSettings.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
// This test process plays the running instance, in the session of a throw-away install.
class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOldRuntime = qgetenv("XDG_RUNTIME_DIR");
        FOldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_RUNTIME_DIR", FInstall.RuntimeDir().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (FInstall.Root() + "/config").toLocal8Bit());
        OverrideUserDataDir(FInstall.Root() + "/UserData");
    }
    void TearDown() override
    {
        FForm.reset();
        FObjects.reset();
        OverrideUserDataDir({});
        qputenv("XDG_RUNTIME_DIR", FOldRuntime);
        if (FOldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", FOldConfig);
    }

    static bool Spin(const std::function<bool()>& done, int ms = 5000)
    {
        const QDeadlineTimer deadline(ms);
        while (!done() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    // This process as the running program: listening, its window hidden.
    void StartWindow()
    {
        FObjects = std::make_unique<TProgramObjects>();
        Settings->Load();
        ASSERT_TRUE(FInstance.Acquire());
        FInstance.Listen();
        FForm = std::make_unique<TMainForm>(FInstance, false);
    }

    TProgramInstall FInstall;
    QByteArray FOldRuntime;
    QByteArray FOldConfig;
    std::unique_ptr<TProgramObjects> FObjects;
    TSingleInstance FInstance;
    std::unique_ptr<TMainForm> FForm;
};
}

TEST_F(SingleInstanceTest, SecondStartBringsTheHiddenWindowToTheFront)
{
    StartWindow();
    TMainForm& form = *FForm;
    ASSERT_FALSE(form.isVisible());

    QProcess& second = FInstall.Start();
    ASSERT_TRUE(Spin([&] { return form.isVisible() && QApplication::activeWindow() == &form; }));
    ASSERT_TRUE(second.state() == QProcess::NotRunning || second.waitForFinished(2000));
    EXPECT_EQ(second.exitCode(), 0);
}

TEST_F(SingleInstanceTest, ExitMessageFromAnotherProcessIsHeard)
{
    TSingleInstance instance;
    ASSERT_TRUE(instance.Acquire());
    instance.Listen();
    QSignalSpy exits(&instance, &TSingleInstance::ExitRequested);
    ASSERT_TRUE(FInstall.SendMessage("exit"));
    EXPECT_TRUE(Spin([&] { return exits.count() == 1; }));
}

TEST_F(SingleInstanceTest, OnlyOneHolderPerSession)
{
    TSingleInstance first;
    ASSERT_TRUE(first.Acquire());
    TSingleInstance second;
    EXPECT_FALSE(second.Acquire());
}

TEST_F(SingleInstanceTest, ProgramStartedByHandOverIsNotTakenForADuplicate)
{
    TSingleInstance instance;
    ASSERT_TRUE(instance.Acquire());
    instance.Listen();
    QSignalSpy activations(&instance, &TSingleInstance::ActivateRequested);
    // The hand-over starts a program that outlives the call; it inherits our session.
    ASSERT_TRUE(instance.HandOverTo(FInstall.Binary(), "-hidden"));
    ASSERT_TRUE(FInstall.WaitUntilListening());
    EXPECT_EQ(activations.count(), 0);
    // The new program now holds the session: we could not take it back.
    TSingleInstance again;
    EXPECT_FALSE(again.Acquire());
    EXPECT_TRUE(FInstall.SendMessage("exit"));
}

TEST_F(SingleInstanceTest, RestartStartsTheProgramAnewAndExits)
{
    StartWindow();
    // This test binary is the program here: the tail makes the new process run no test and
    // leave a report behind as proof that it started with it.
    const QString report = FInstall.Root() + "/restarted.json";
    FForm->RestartApplication("--gtest_filter=-* --gtest_output=json:" + report);
    EXPECT_TRUE(Spin([&] { return QFile::exists(report); }, 10000));
    TSingleInstance next;
    EXPECT_TRUE(next.Acquire());
    EXPECT_TRUE(FInstall.ReadSettings().contains("FormLeft=")); // the exit sequence ran
}
