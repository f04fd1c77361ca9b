#include "ProgramProcess.h"

#include "support/IniFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {
// Starts the program, waits until it runs, then asks it to quit and waits for its end.
int RunAndExit(TProgramInstall& install, const QStringList& arguments = {"-hidden"})
{
    QProcess& program = install.Start(arguments);
    if (!install.WaitUntilListening())
        return -100;
    install.SendMessage("exit");
    if (!program.waitForFinished(10000))
        return -101;
    return program.exitCode();
}
}

TEST(StartUp, FirstStartWritesSettingsWithANewInstallationId)
{
    TProgramInstall install;
    ASSERT_EQ(RunAndExit(install), 0);
    ASSERT_TRUE(QFile::exists(install.SettingsPath()));
    const TIniFile ini(install.ReadSettings());
    EXPECT_EQ(ini.Sections(), QStringList({"General", "Proxy", "State", "Info"}));
    const QString id = ini.ReadString("Info", "ProgramID", "");
    EXPECT_TRUE(QRegularExpression("^\\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\}$").match(id).hasMatch())
        << id.toStdString();

    ASSERT_EQ(RunAndExit(install), 0);
    EXPECT_EQ(TIniFile(install.ReadSettings()).ReadString("Info", "ProgramID", ""), id);
}

TEST(StartUp, SecondStartEndsAtOnceAndTouchesNoFile)
{
    TProgramInstall install;
    install.Start({"-hidden"});
    ASSERT_TRUE(install.WaitUntilListening());
    const QByteArray before = install.ReadSettings();
    const QDateTime modified = QFileInfo(install.SettingsPath()).lastModified();
    QThread::msleep(20);
    qint64 elapsed = 0;
    EXPECT_EQ(install.RunToEnd({"-afterupdate"}, 5000, &elapsed), 0);
    EXPECT_LT(elapsed, 2000);
    EXPECT_EQ(install.ReadSettings(), before);
    EXPECT_EQ(QFileInfo(install.SettingsPath()).lastModified(), modified);
}

TEST(StartUp, TerminationSignalSavesTheSettings)
{
    TProgramInstall install;
    install.WriteSettings("[General]\nUpdateInterval=1\n[Info]\nProgramID={KEEP}\n");
    QProcess& program = install.Start({"-hidden"});
    ASSERT_TRUE(install.WaitUntilListening());
    ::kill(pid_t(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    // Saved on the way out: the interval read as 3 is written back, and every section is there.
    const TIniFile ini(install.ReadSettings());
    EXPECT_EQ(ini.ReadInteger("General", "UpdateInterval", 0), 3);
    EXPECT_EQ(ini.ReadString("Info", "ProgramID", ""), "{KEEP}");
    EXPECT_TRUE(ini.ValueExists("State", "LastUpdateCheck"));
}

TEST(StartUp, PendingUpdateFlag)
{
    struct Case { const char* name; QStringList arguments; bool flagAfter; };
    const Case cases[] = {
        {"restarted by the installer", {"-hidden", "-AfterUpdate"}, false},
        {"nothing to install", {"-hidden"}, true},
        {"switch without its hyphen", {"-hidden", "afterupdate"}, true},
    };
    for (const Case& c : cases) {
        TProgramInstall install;
        install.WriteSettings("[State]\nUpdateOnNextLoad=1\n[Info]\nProgramID={X}\n");
        ASSERT_EQ(RunAndExit(install, c.arguments), 0) << c.name;
        EXPECT_EQ(TIniFile(install.ReadSettings()).ReadBool("State", "UpdateOnNextLoad", false), c.flagAfter)
            << c.name;
    }
}

TEST(StartUp, AfterUpdateWithoutPendingFlagChangesNoSetting)
{
    TProgramInstall install;
    const QByteArray settings = "[Info]\r\nProgramID={X}\r\n";
    install.WriteSettings(settings);
    QProcess& program = install.Start({"-afterupdate", "-hidden"});
    ASSERT_TRUE(install.WaitUntilListening());
    EXPECT_EQ(install.ReadSettings(), settings);
    program.kill();
}

TEST(StartUp, LeftoverOfLastInstallationIsDeleted)
{
    TProgramInstall install;
    const QString leftover = install.Binary() + ".old";
    QFile file(leftover);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_EQ(RunAndExit(install), 0);
    EXPECT_FALSE(QFile::exists(leftover));
}
