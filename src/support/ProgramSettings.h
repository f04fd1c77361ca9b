#pragma once

#include "Deployment.h"
#include "net/HttpOptions.h"

#include <QDateTime>
#include <QString>
#include <climits>

// Every setting of Settings.ini, one row each, in the order they are read:
//   X(how, type, property, section, key, default, limit)
// "Stored" rows are written back by Save in this order; "Kept" rows are only read, and a save
// keeps them as they stand in the file. The default is evaluated at each load.
#define PEERGLOW_SETTINGS(X)                                                                           \
    X(Stored, bool, AutoLoad, "General", "AutoLoad", true, NoLimit)                                    \
    X(Stored, bool, ShowOnlineNotifications, "General", "ShowNotifications", true, NoLimit)            \
    X(Stored, bool, ShowOfflineNotifications, "General", "ShowOfflineNotifications", false, NoLimit)   \
    X(Stored, bool, AudioNotification, "General", "AudioNotification", true, NoLimit)                  \
    X(Stored, bool, MinimizeOnClose, "General", "MinimizeOnClose", true, NoLimit)                      \
    X(Stored, int, UpdateInterval, "General", "UpdateInterval", 10, AtLeast<3>)                        \
    X(Stored, int, MaxMessagesDaysAge, "General", "MaxMessagesDaysAge", 7, NoLimit)                    \
    X(Kept, bool, DisableUpdates, "General", "DisableUpdates", false, NoLimit)                         \
    X(Stored, bool, SmallUI, "General", "SmallUI", false, NoLimit)                                     \
    X(Stored, bool, AuthInfoPanelHidden, "General", "AuthInfoPanelHidden", true, NoLimit)              \
    X(Kept, QString, UpdateUrl, "General", "UpdateUrl", DefaultUpdateUrl(), NoLimit)                   \
    X(Stored, bool, ProxyEnabled, "Proxy", "Enabled", false, NoLimit)                                  \
    X(Stored, QString, ProxyHost, "Proxy", "Host", QString(), NoLimit)                                 \
    X(Stored, int, ProxyPort, "Proxy", "Port", 8080, NoLimit)                                          \
    X(Stored, QString, ProxyUsername, "Proxy", "Username", QString(), NoLimit)                         \
    X(Stored, QString, ProxyPassword, "Proxy", "Password", QString(), NoLimit)                         \
    X(Stored, int, FormHeight, "State", "FormHeight", 0, NoLimit)                                      \
    X(Stored, int, FormLeft, "State", "FormLeft", CentredPosition, NoLimit)                            \
    X(Stored, int, FormTop, "State", "FormTop", CentredPosition, NoLimit)                              \
    X(Stored, bool, UpdateOnNextLoad, "State", "UpdateOnNextLoad", false, NoLimit)                     \
    X(Stored, QDateTime, LastUpdateCheck, "State", "LastUpdateCheck", Now().addDays(-1), NoLimit)      \
    X(Stored, QString, ProgramID, "Info", "ProgramID", QString(), NoLimit)

// The user's preferences and the program's small persistent state, kept in Settings.ini.
class TProgramSettings {
public:
    static constexpr int CentredPosition = INT_MIN;

    explicit TProgramSettings(const QString& settingsFile);

    void Load();
    void Save();

#define PEERGLOW_SETTING_ACCESS_Kept(type, name) \
    type name() const { return F##name; }
#define PEERGLOW_SETTING_ACCESS_Stored(type, name) \
    PEERGLOW_SETTING_ACCESS_Kept(type, name) void Set##name(const type& value) { F##name = value; }
#define PEERGLOW_SETTING_ACCESS(how, type, name, section, key, value, limit) PEERGLOW_SETTING_ACCESS_##how(type, name)
    PEERGLOW_SETTINGS(PEERGLOW_SETTING_ACCESS)
#undef PEERGLOW_SETTING_ACCESS
#undef PEERGLOW_SETTING_ACCESS_Stored
#undef PEERGLOW_SETTING_ACCESS_Kept

    // The proxy rows as the HTTP client takes them.
    TProxySettings Proxy() const;
    void SetProxy(const TProxySettings& value);
    QString AvatarsPath() const { return FAvatarsPath; }
    // The [Deployment] section: read by Load, never written.
    const TDeploymentValues& Deployment() const { return FDeployment; }
    void SetDeployment(const TDeploymentValues& value) { FDeployment = value; }

private:
    QString FSettingsFile;
    QString FAvatarsPath;
    TDeploymentValues FDeployment;
#define PEERGLOW_SETTING_FIELD(how, type, name, section, key, value, limit) type F##name {};
    PEERGLOW_SETTINGS(PEERGLOW_SETTING_FIELD)
#undef PEERGLOW_SETTING_FIELD
};
