#pragma once

#include "Deployment.h"
#include "Guarded.h"

#include <QDateTime>
#include <QString>
#include <climits>

struct TProxySettings {
    bool Enabled = false;
    QString Username;
    QString Password;
    QString Host;
    int Port = 0;
};

// The user's preferences and the program's small persistent state, kept in Settings.ini.
class TProgramSettings {
public:
    TProgramSettings();
    explicit TProgramSettings(const QString& settingsFile);

    void Load();
    void Save();

    bool AutoLoad() const { return FAutoLoad; }
    void SetAutoLoad(bool value) { FAutoLoad = value; }
    bool ShowOnlineNotifications() const { return FShowOnlineNotifications; }
    void SetShowOnlineNotifications(bool value) { FShowOnlineNotifications = value; }
    bool ShowOfflineNotifications() const { return FShowOfflineNotifications; }
    void SetShowOfflineNotifications(bool value) { FShowOfflineNotifications = value; }
    bool AudioNotification() const { return FAudioNotification; }
    void SetAudioNotification(bool value) { FAudioNotification = value; }
    bool MinimizeOnClose() const { return FMinimizeOnClose; }
    void SetMinimizeOnClose(bool value) { FMinimizeOnClose = value; }
    int UpdateInterval() const { return FUpdateInterval; }
    void SetUpdateInterval(int value) { FUpdateInterval = value; }
    int MaxMessagesDaysAge() const { return FMaxMessagesDaysAge; }
    void SetMaxMessagesDaysAge(int value) { FMaxMessagesDaysAge = value; }
    bool DisableUpdates() const { return FDisableUpdates; }
    bool SmallUI() const { return FSmallUI; }
    void SetSmallUI(bool value) { FSmallUI = value; }
    bool AuthInfoPanelHidden() const { return FAuthInfoPanelHidden; }
    void SetAuthInfoPanelHidden(bool value) { FAuthInfoPanelHidden = value; }
    int FormHeight() const { return FFormHeight; }
    void SetFormHeight(int value) { FFormHeight = value; }
    int FormLeft() const { return FFormLeft; }
    void SetFormLeft(int value) { FFormLeft = value; }
    int FormTop() const { return FFormTop; }
    void SetFormTop(int value) { FFormTop = value; }
    bool UpdateOnNextLoad() const { return FUpdateOnNextLoad; }
    void SetUpdateOnNextLoad(bool value) { FUpdateOnNextLoad = value; }
    QDateTime LastUpdateCheck() const { return FLastUpdateCheck; }
    void SetLastUpdateCheck(const QDateTime& value) { FLastUpdateCheck = value; }
    QString ProgramID() const { return FProgramID; }
    void SetProgramID(const QString& value) { FProgramID = value; }
    QString AvatarsPath() const { return FAvatarsPath; }
    QString SettingsFile() const { return FSettingsFile; }

    // Workers read these while the main thread may change them: copies taken under a lock.
    TProxySettings Proxy() const { return FProxy.Get(); }
    void SetProxy(const TProxySettings& value) { FProxy.Set(value); }
    QString UpdateUrl() const { return FUpdateUrl.Get(); }

    static constexpr int CentredPosition = INT_MIN;

private:
    QString FSettingsFile;
    int FUpdateInterval = 0;
    bool FAutoLoad = false;
    bool FShowOnlineNotifications = false;
    bool FShowOfflineNotifications = false;
    int FFormHeight = 0;
    bool FUpdateOnNextLoad = false;
    QDateTime FLastUpdateCheck;
    QString FProgramID;
    bool FDisableUpdates = false;
    bool FAudioNotification = false;
    int FFormTop = 0;
    int FFormLeft = 0;
    TGuarded<TProxySettings> FProxy;
    bool FSmallUI = false;
    TGuarded<QString> FUpdateUrl;
    int FMaxMessagesDaysAge = 0;
    QString FAvatarsPath;
    bool FMinimizeOnClose = false;
    bool FAuthInfoPanelHidden = false;
};

// The program's one settings object, created at start-up.
extern TProgramSettings* Settings;
