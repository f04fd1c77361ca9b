#include "support/Clock.h"
#include "support/IniFile.h"
#include "support/ProgramSettings.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class ProgramSettingsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SetNowProvider({});
    }
    void WriteFile(const QByteArray& bytes)
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadFile()
    {
        QFile file(Path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
    QString Path() const { return FDir.path() + "/Settings.ini"; }

    QTemporaryDir FDir;
};
}

TEST_F(ProgramSettingsTest, MissingFileGivesDefaults)
{
    const QDateTime now(QDate(2026, 8, 5), QTime(14, 3, 7));
    SetNowProvider([now] { return now; });
    TProgramSettings settings(Path());
    settings.Load();
    EXPECT_TRUE(settings.AutoLoad());
    EXPECT_TRUE(settings.ShowOnlineNotifications());
    EXPECT_FALSE(settings.ShowOfflineNotifications());
    EXPECT_TRUE(settings.AudioNotification());
    EXPECT_TRUE(settings.MinimizeOnClose());
    EXPECT_EQ(settings.UpdateInterval(), 10);
    EXPECT_EQ(settings.MaxMessagesDaysAge(), 7);
    EXPECT_FALSE(settings.DisableUpdates());
    EXPECT_FALSE(settings.SmallUI());
    EXPECT_TRUE(settings.AuthInfoPanelHidden());
    EXPECT_FALSE(settings.UpdateUrl().isEmpty());
    const TProxySettings proxy = settings.Proxy();
    EXPECT_FALSE(proxy.Enabled);
    EXPECT_EQ(proxy.Host, "");
    EXPECT_EQ(proxy.Port, 8080);
    EXPECT_EQ(settings.FormHeight(), 0);
    EXPECT_EQ(settings.FormLeft(), INT_MIN);
    EXPECT_EQ(settings.FormTop(), INT_MIN);
    EXPECT_FALSE(settings.UpdateOnNextLoad());
    EXPECT_EQ(settings.LastUpdateCheck(), now.addDays(-1));
    EXPECT_EQ(settings.ProgramID(), "");
    EXPECT_EQ(settings.AvatarsPath(), FDir.path() + "/Avatars/");
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(ProgramSettingsTest, ValuesAreReadWithTheirRules)
{
    struct Case { const char* line; int interval; bool autoLoad; };
    const Case cases[] = {
        {"UpdateInterval=1\nAutoLoad=abc", 3, true},
        {"UpdateInterval=-5\nAutoLoad=2", 3, true},
        {"UpdateInterval=1000\nAutoLoad=0", 1000, false},
        {"UpdateInterval=0x10\nAutoLoad=0x0", 16, false},
        {"UpdateInterval=ten", 10, true},
    };
    for (const Case& c : cases) {
        WriteFile(QByteArray("[general]\n") + c.line + "\n");
        TProgramSettings settings(Path());
        settings.Load();
        EXPECT_EQ(settings.UpdateInterval(), c.interval) << c.line;
        EXPECT_EQ(settings.AutoLoad(), c.autoLoad) << c.line;
    }
}

TEST_F(ProgramSettingsTest, FirstSaveWritesTheSectionsInOrder)
{
    TProgramSettings settings(Path());
    settings.Load();
    settings.SetProgramID("{ID}");
    settings.Save();
    const TIniFile ini(ReadFile());
    EXPECT_EQ(ini.Sections(), QStringList({"General", "Proxy", "State", "Info"}));
    EXPECT_FALSE(ini.ValueExists("General", "DisableUpdates"));
    EXPECT_FALSE(ini.ValueExists("General", "UpdateUrl"));
    EXPECT_TRUE(ini.ValueExists("General", "ShowNotifications"));
    EXPECT_EQ(ini.ReadString("Info", "ProgramID", ""), "{ID}");
}

TEST_F(ProgramSettingsTest, UnwrittenKeysSurviveEverySaveInTheirPlace)
{
    const QByteArray original =
        "[Deployment]\nApiHost=127.0.0.1:8443\nCAFile=/tmp/ca.pem\n"
        "[General]\nDisableUpdates=1\nUpdateUrl=http://updates.test/check\nMyOwnKey=hello\n"
        "AutoLoad=1\n[Extra]\nx=y\n";
    WriteFile(original);
    for (int i = 0; i < 3; ++i) {
        TProgramSettings settings(Path());
        settings.Load();
        EXPECT_TRUE(settings.DisableUpdates());
        EXPECT_EQ(settings.UpdateUrl(), "http://updates.test/check");
        EXPECT_EQ(settings.Deployment().ApiHost, "127.0.0.1:8443");
        EXPECT_EQ(settings.Deployment().CAFile, "/tmp/ca.pem");
        EXPECT_EQ(settings.Deployment().SiteHost, "vk.com");
        settings.SetAutoLoad(false);
        settings.SetUpdateInterval(20 + i);
        settings.Save();
    }
    const QByteArray saved = ReadFile();
    EXPECT_TRUE(saved.startsWith("[Deployment]\nApiHost=127.0.0.1:8443\nCAFile=/tmp/ca.pem\n"
                                 "[General]\nDisableUpdates=1\nUpdateUrl=http://updates.test/check\n"
                                 "MyOwnKey=hello\nAutoLoad=0\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("[Extra]\nx=y\n"));
    EXPECT_TRUE(saved.contains("UpdateInterval=22\n"));
}

TEST_F(ProgramSettingsTest, EveryWrittenValueReadsBack)
{
    TProgramSettings settings(Path());
    settings.Load();
    settings.SetAutoLoad(false);
    settings.SetShowOnlineNotifications(false);
    settings.SetShowOfflineNotifications(true);
    settings.SetAudioNotification(false);
    settings.SetMinimizeOnClose(false);
    settings.SetUpdateInterval(45);
    settings.SetMaxMessagesDaysAge(3);
    settings.SetSmallUI(true);
    settings.SetAuthInfoPanelHidden(false);
    settings.SetProxy({true, "ПользовательЮ", "pass word", "proxy.test", 3128});
    settings.SetFormHeight(500);
    settings.SetFormLeft(-20);
    settings.SetFormTop(30);
    settings.SetUpdateOnNextLoad(true);
    const QDateTime checked(QDate(2026, 2, 28), QTime(23, 59, 58));
    settings.SetLastUpdateCheck(checked);
    settings.SetProgramID("{GUID}");
    settings.Save();

    TProgramSettings back(Path());
    back.Load();
    EXPECT_FALSE(back.AutoLoad());
    EXPECT_FALSE(back.ShowOnlineNotifications());
    EXPECT_TRUE(back.ShowOfflineNotifications());
    EXPECT_FALSE(back.AudioNotification());
    EXPECT_FALSE(back.MinimizeOnClose());
    EXPECT_EQ(back.UpdateInterval(), 45);
    EXPECT_EQ(back.MaxMessagesDaysAge(), 3);
    EXPECT_TRUE(back.SmallUI());
    EXPECT_FALSE(back.AuthInfoPanelHidden());
    const TProxySettings proxy = back.Proxy();
    EXPECT_TRUE(proxy.Enabled);
    EXPECT_EQ(proxy.Username, "ПользовательЮ");
    EXPECT_EQ(proxy.Password, "pass word");
    EXPECT_EQ(proxy.Host, "proxy.test");
    EXPECT_EQ(proxy.Port, 3128);
    EXPECT_EQ(back.FormHeight(), 500);
    EXPECT_EQ(back.FormLeft(), -20);
    EXPECT_EQ(back.FormTop(), 30);
    EXPECT_TRUE(back.UpdateOnNextLoad());
    EXPECT_EQ(back.LastUpdateCheck(), checked);
    EXPECT_EQ(back.ProgramID(), "{GUID}");
}

TEST_F(ProgramSettingsTest, BadFilesGiveDefaults)
{
    QByteArray garbage;
    for (int i = 0; i < 65536; ++i)
        garbage.append(char((i * 31 + 7) % 256));
    const QString utf16 = "[General]\r\nUpdateInterval=25\r\n[Info]\r\nProgramID={Ж}\r\n";
    struct Case { const char* name; QByteArray bytes; int interval; QString id; };
    const Case cases[] = {
        {"binary garbage", garbage, 10, ""},
        {"1 MB line", "[General]\nJunk=" + QByteArray(1 << 20, 'j') + "\nUpdateInterval=25\n", 25, ""},
        {"utf-16 with mark", QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringConverter::Utf16LE)(utf16),
         25, "{Ж}"},
        {"windows-1251", "[General]\r\nUpdateInterval=25\r\n[Info]\r\nProgramID={\xC6}\r\n", 25, "{Ж}"},
    };
    for (const Case& c : cases) {
        WriteFile(c.bytes);
        TProgramSettings settings(Path());
        settings.Load();
        EXPECT_EQ(settings.UpdateInterval(), c.interval) << c.name;
        EXPECT_EQ(settings.ProgramID(), c.id) << c.name;
        settings.Save();
        TProgramSettings again(Path());
        again.Load();
        EXPECT_EQ(again.UpdateInterval(), c.interval) << c.name;
        EXPECT_EQ(again.ProgramID(), c.id) << c.name;
    }
}

TEST_F(ProgramSettingsTest, UnwritableFileRaises)
{
    ASSERT_TRUE(QDir().mkpath(Path())); // a directory where the file should be
    TProgramSettings settings(Path());
    EXPECT_ANY_THROW(settings.Save());
}
