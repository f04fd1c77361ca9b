#include "ProgramSettings.h"

#include "Clock.h"
#include "DateTimeText.h"
#include "IniFile.h"

#include <QFileInfo>

namespace {
const QString DeploymentSection = QStringLiteral("Deployment");

QString DefaultUpdateUrl()
{
    return QStringLiteral("https://peerglow.org/update/");
}

// The limits of the table's last column.
template <typename T>
T NoLimit(T value)
{
    return value;
}
template <int Minimum>
int AtLeast(int value)
{
    return qMax(Minimum, value);
}

// Each type of the table read and written as the file has always held it.
template <typename T>
T ReadValue(const TIniFile& ini, const QString& section, const QString& key, const T& fallback);
template <>
bool ReadValue(const TIniFile& ini, const QString& section, const QString& key, const bool& fallback)
{
    return ini.ReadBool(section, key, fallback);
}
template <>
int ReadValue(const TIniFile& ini, const QString& section, const QString& key, const int& fallback)
{
    return ini.ReadInteger(section, key, fallback);
}
template <>
QString ReadValue(const TIniFile& ini, const QString& section, const QString& key, const QString& fallback)
{
    return ini.ReadString(section, key, fallback);
}
template <>
QDateTime ReadValue(const TIniFile& ini, const QString& section, const QString& key, const QDateTime& fallback)
{
    const QDateTime value = TextToDateTime(ini.ReadString(section, key, QString()));
    return value.isValid() ? value : fallback;
}

void WriteValue(TIniFile& ini, const QString& section, const QString& key, bool value)
{
    ini.WriteBool(section, key, value);
}
void WriteValue(TIniFile& ini, const QString& section, const QString& key, int value)
{
    ini.WriteInteger(section, key, value);
}
void WriteValue(TIniFile& ini, const QString& section, const QString& key, const QString& value)
{
    ini.WriteString(section, key, value);
}
void WriteValue(TIniFile& ini, const QString& section, const QString& key, const QDateTime& value)
{
    ini.WriteString(section, key, DateTimeToText(value));
}

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

TProgramSettings::TProgramSettings(const QString& settingsFile)
    : FSettingsFile(settingsFile),
      FAvatarsPath(QFileInfo(settingsFile).path() + QStringLiteral("/Avatars/"))
{
}

void TProgramSettings::Load()
{
    const TIniFile ini = TIniFile::FromFile(FSettingsFile);
#define PEERGLOW_SETTING_LOAD(how, type, name, section, key, value, limit) \
    F##name = limit(ReadValue<type>(ini, QStringLiteral(section), QStringLiteral(key), value));
    PEERGLOW_SETTINGS(PEERGLOW_SETTING_LOAD)
#undef PEERGLOW_SETTING_LOAD
    FDeployment = ReadDeployment(ini);
}

void TProgramSettings::Save()
{
    // Re-read the file so that the keys we never write ("Kept" rows, [Deployment], anything
    // unknown) stay exactly as they stand.
    TIniFile ini = TIniFile::FromFile(FSettingsFile);
#define PEERGLOW_SETTING_SAVE_Kept(type, name, section, key)
#define PEERGLOW_SETTING_SAVE_Stored(type, name, section, key) \
    WriteValue(ini, QStringLiteral(section), QStringLiteral(key), F##name);
#define PEERGLOW_SETTING_SAVE(how, type, name, section, key, value, limit) \
    PEERGLOW_SETTING_SAVE_##how(type, name, section, key)
    PEERGLOW_SETTINGS(PEERGLOW_SETTING_SAVE)
#undef PEERGLOW_SETTING_SAVE
#undef PEERGLOW_SETTING_SAVE_Stored
#undef PEERGLOW_SETTING_SAVE_Kept
    ini.SaveToFile(FSettingsFile);
}

TProxySettings TProgramSettings::Proxy() const
{
    return {FProxyEnabled, FProxyUsername, FProxyPassword, FProxyHost, FProxyPort};
}

void TProgramSettings::SetProxy(const TProxySettings& value)
{
    FProxyEnabled = value.Enabled;
    FProxyUsername = value.Username;
    FProxyPassword = value.Password;
    FProxyHost = value.Host;
    FProxyPort = value.Port;
}
