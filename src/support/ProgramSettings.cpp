#include "ProgramSettings.h"

#include "Clock.h"
#include "DateTimeText.h"
#include "Directories.h"
#include "IniFile.h"

#include <QFileInfo>

TProgramSettings* Settings = nullptr;

namespace {
const QString SecGeneral = QStringLiteral("General");
const QString SecProxy = QStringLiteral("Proxy");
const QString SecState = QStringLiteral("State");
const QString SecInfo = QStringLiteral("Info");
const QString DeploymentSection = QStringLiteral("Deployment");
const QString DefaultUpdateUrl = QStringLiteral("https://peerglow.org/update/");
constexpr int MinimumUpdateInterval = 3;

TDeploymentValues ReadDeployment(const TIniFile& ini)
{
    TDeploymentValues values;
    const auto read = [&ini](const char* key, QString& value) {
        const QString text = ini.ReadString(DeploymentSection, QString::fromLatin1(key), QString());
        if (!text.isEmpty())
            value = text;
    };
    read("SiteHost", values.SiteHost);
    read("LegacySiteHost", values.LegacySiteHost);
    read("ApiHost", values.ApiHost);
    read("OAuthHost", values.OAuthHost);
    read("LoginHost", values.LoginHost);
    read("AppID", values.AppID);
    read("ProgramSiteUrl", values.ProgramSiteUrl);
    read("GroupUrl", values.GroupUrl);
    read("DonateUrl", values.DonateUrl);
    read("HaveMeProfileID", values.HaveMeProfileID);
    read("CAFile", values.CAFile);
    return values;
}
}

TProgramSettings::TProgramSettings() : TProgramSettings(UserDataDir() + QStringLiteral("Settings.ini")) {}

TProgramSettings::TProgramSettings(const QString& settingsFile)
    : FSettingsFile(settingsFile),
      FAvatarsPath(QFileInfo(settingsFile).path() + QStringLiteral("/Avatars/"))
{
}

void TProgramSettings::Load()
{
    const TIniFile ini = TIniFile::FromFile(FSettingsFile);
    FAutoLoad = ini.ReadBool(SecGeneral, QStringLiteral("AutoLoad"), true);
    FShowOnlineNotifications = ini.ReadBool(SecGeneral, QStringLiteral("ShowNotifications"), true);
    FShowOfflineNotifications = ini.ReadBool(SecGeneral, QStringLiteral("ShowOfflineNotifications"), false);
    FAudioNotification = ini.ReadBool(SecGeneral, QStringLiteral("AudioNotification"), true);
    FMinimizeOnClose = ini.ReadBool(SecGeneral, QStringLiteral("MinimizeOnClose"), true);
    FUpdateInterval = qMax(MinimumUpdateInterval, ini.ReadInteger(SecGeneral, QStringLiteral("UpdateInterval"), 10));
    FMaxMessagesDaysAge = ini.ReadInteger(SecGeneral, QStringLiteral("MaxMessagesDaysAge"), 7);
    FDisableUpdates = ini.ReadBool(SecGeneral, QStringLiteral("DisableUpdates"), false);
    FSmallUI = ini.ReadBool(SecGeneral, QStringLiteral("SmallUI"), false);
    FAuthInfoPanelHidden = ini.ReadBool(SecGeneral, QStringLiteral("AuthInfoPanelHidden"), true);

    TProxySettings proxy;
    proxy.Enabled = ini.ReadBool(SecProxy, QStringLiteral("Enabled"), false);
    proxy.Host = ini.ReadString(SecProxy, QStringLiteral("Host"), QString());
    proxy.Port = ini.ReadInteger(SecProxy, QStringLiteral("Port"), 8080);
    proxy.Username = ini.ReadString(SecProxy, QStringLiteral("Username"), QString());
    proxy.Password = ini.ReadString(SecProxy, QStringLiteral("Password"), QString());

    FFormHeight = ini.ReadInteger(SecState, QStringLiteral("FormHeight"), 0);
    FFormLeft = ini.ReadInteger(SecState, QStringLiteral("FormLeft"), CentredPosition);
    FFormTop = ini.ReadInteger(SecState, QStringLiteral("FormTop"), CentredPosition);
    FUpdateOnNextLoad = ini.ReadBool(SecState, QStringLiteral("UpdateOnNextLoad"), false);
    FLastUpdateCheck = TextToDateTime(ini.ReadString(SecState, QStringLiteral("LastUpdateCheck"), QString()));
    if (!FLastUpdateCheck.isValid())
        FLastUpdateCheck = Now().addDays(-1);
    FProgramID = ini.ReadString(SecInfo, QStringLiteral("ProgramID"), QString());

    FProxy.Set(proxy);
    FUpdateUrl.Set(ini.ReadString(SecGeneral, QStringLiteral("UpdateUrl"), DefaultUpdateUrl));
    SetDeployment(ReadDeployment(ini));
}

void TProgramSettings::Save()
{
    // Re-read the file so that keys we never write (DisableUpdates, UpdateUrl, [Deployment],
    // anything unknown) stay exactly as they stand.
    TIniFile ini = TIniFile::FromFile(FSettingsFile);
    ini.WriteBool(SecGeneral, QStringLiteral("AutoLoad"), FAutoLoad);
    ini.WriteBool(SecGeneral, QStringLiteral("ShowNotifications"), FShowOnlineNotifications);
    ini.WriteBool(SecGeneral, QStringLiteral("ShowOfflineNotifications"), FShowOfflineNotifications);
    ini.WriteBool(SecGeneral, QStringLiteral("AudioNotification"), FAudioNotification);
    ini.WriteBool(SecGeneral, QStringLiteral("MinimizeOnClose"), FMinimizeOnClose);
    ini.WriteInteger(SecGeneral, QStringLiteral("UpdateInterval"), FUpdateInterval);
    ini.WriteInteger(SecGeneral, QStringLiteral("MaxMessagesDaysAge"), FMaxMessagesDaysAge);
    ini.WriteBool(SecGeneral, QStringLiteral("SmallUI"), FSmallUI);
    ini.WriteBool(SecGeneral, QStringLiteral("AuthInfoPanelHidden"), FAuthInfoPanelHidden);

    const TProxySettings proxy = Proxy();
    ini.WriteBool(SecProxy, QStringLiteral("Enabled"), proxy.Enabled);
    ini.WriteString(SecProxy, QStringLiteral("Host"), proxy.Host);
    ini.WriteInteger(SecProxy, QStringLiteral("Port"), proxy.Port);
    ini.WriteString(SecProxy, QStringLiteral("Username"), proxy.Username);
    ini.WriteString(SecProxy, QStringLiteral("Password"), proxy.Password);

    ini.WriteInteger(SecState, QStringLiteral("FormHeight"), FFormHeight);
    ini.WriteInteger(SecState, QStringLiteral("FormLeft"), FFormLeft);
    ini.WriteInteger(SecState, QStringLiteral("FormTop"), FFormTop);
    ini.WriteBool(SecState, QStringLiteral("UpdateOnNextLoad"), FUpdateOnNextLoad);
    ini.WriteString(SecState, QStringLiteral("LastUpdateCheck"), DateTimeToText(FLastUpdateCheck));
    ini.WriteString(SecInfo, QStringLiteral("ProgramID"), FProgramID);
    ini.SaveToFile(FSettingsFile);
}
