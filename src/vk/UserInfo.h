#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

// One person element of a users.get answer, as plain texts: read on a worker, applied to the
// shared user objects on the main thread. Absent children are empty optionals.
struct TUserInfo {
    std::optional<QString> Uid;
    std::optional<QString> FirstName;
    std::optional<QString> LastName;
    std::optional<QString> ScreenName;
    std::optional<QString> Photo50;
    std::optional<QString> Online;
    std::optional<QString> OnlineMobile;
    bool Hidden = false;
    std::optional<QString> Deactivated;
    std::optional<QString> LastSeenTime; // last_seen/time
};

// A one-person answer: its first person element. Raises the Russian texts of the errors.
TUserInfo ParseOneUserAnswer(const QString& xml);
// A several-person answer: every person element in answer order.
std::vector<TUserInfo> ParseUsersAnswer(const QString& xml);

// Conversions of the answer's numbers; a malformed or out-of-range text raises.
int UidToInt(const QString& text);
QDateTime UnixTimeToLocal(const QString& text);
