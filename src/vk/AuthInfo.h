#pragma once

#include "VKMessage.h"
#include "VKUser.h"
#include "support/Guarded.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

class TIniFile;

// The connected VK account: its own person, the token and secret that sign every request, and
// the last fetched unread messages.
class TAuthInfo {
public:
    struct TCredentials {
        QString Token;
        QString Secret;
    };

    TAuthInfo();

    const std::shared_ptr<TVKUser>& User() const { return FUser; }
    QString Token() const { return FCredentials.Get().Token; }
    void SetToken(const QString& value);
    QString Secret() const { return FCredentials.Get().Secret; }
    void SetSecret(const QString& value);
    // Both at once, as workers need them to sign a request while the main thread may replace them.
    TCredentials Credentials() const { return FCredentials.Get(); }
    const std::vector<std::unique_ptr<TVKMessage>>& Messages() const { return FMessages; }
    bool Connected() const { return FUser->ProfileID() > 0; }

    // Looks the account's own page up (the user's OnUpdated tells when it is known).
    void Connect();
    void Disconnect();

    void LoadFromIniFile(const TIniFile& ini, const QString& section);
    void SaveToIniFile(TIniFile& ini, const QString& section) const;
    // The session file, readable by its owner only (an existing one is tightened on loading).
    void Load(const QString& path, const QString& section);
    void Save(const QString& path, const QString& section) const;

    // Fetches the messages sent since the moment into Messages; raises on failure.
    void GetUnreadMessages(const QDateTime& from);
    QString GetMessagesUrl(const QDateTime& from) const;
    void LoadMessagesFromXML(const QString& xml);

private:
    TGuarded<TCredentials> FCredentials; // replaced by the main thread, read by workers
    std::vector<std::unique_ptr<TVKMessage>> FMessages;
    std::shared_ptr<TVKUser> FUser;
};

// The program's one session, created at start-up.
extern TAuthInfo* AuthInfo;
