#pragma once

#include "ApiAccess.h"
#include "VKMessage.h"
#include "VKUser.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

class TIniFile;

// The connected VK account: its own person, the token and secret that sign every request, and
// the last fetched unread messages.
class TAuthInfo {
public:
    TAuthInfo();

    const std::shared_ptr<TVKUser>& User() const { return FUser; }
    QString Token() const { return FToken; }
    void SetToken(const QString& value) { FToken = value; }
    QString Secret() const { return FSecret; }
    void SetSecret(const QString& value) { FSecret = value; }
    const std::vector<std::unique_ptr<TVKMessage>>& Messages() const { return FMessages; }
    bool Connected() const { return FUser->ProfileID() > 0; }

    // Looks the account's own page up (the user's OnUpdated tells when it is known).
    void Connect(const TApiAccess& access);
    void Disconnect();

    void LoadFromIniFile(const TIniFile& ini, const QString& section);
    void SaveToIniFile(TIniFile& ini, const QString& section) const;
    // The session file, readable by its owner only (an existing one is tightened on loading).
    void Load(const QString& path, const QString& section);
    void Save(const QString& path, const QString& section) const;

    // Fetches the messages sent since the moment into Messages; raises on failure.
    void GetUnreadMessages(const QDateTime& from, const TApiAccess& access);
    QString GetMessagesUrl(const QDateTime& from, const QString& apiHost) const;
    void LoadMessagesFromXML(const QString& xml);

private:
    QString FToken;
    QString FSecret;
    std::vector<std::unique_ptr<TVKMessage>> FMessages;
    std::shared_ptr<TVKUser> FUser;
};
