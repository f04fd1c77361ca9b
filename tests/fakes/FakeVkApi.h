#pragma once

#include "FakeHttpsServer.h"

#include <QString>
#include <QStringList>
#include <mutex>
#include <vector>

struct TFakePerson {
    int Uid = 0;
    QString FirstName;
    QString LastName;
    QString ScreenName; // empty: the page is "id" and the uid
    QString Photo50;
    bool Online = false;
    bool OnlineMobile = false;
    bool Hidden = false;
    QString Deactivated;
    qint64 LastSeen = 0; // Unix time; 0: no last_seen
    bool NotAPerson = false; // a page without a last name, as a community's

    // "Имя<uid> Фамилия", on an ordinary page.
    static TFakePerson Named(int uid, bool online = false)
    {
        TFakePerson person;
        person.Uid = uid;
        person.FirstName = QStringLiteral("Имя") + QString::number(uid);
        person.LastName = QStringLiteral("Фамилия");
        person.Online = online;
        return person;
    }
};

struct TFakeMessage {
    int Uid = 0;
    QString Body;
    QString Title;
    qint64 Date = 0;
};

// The VK API's users.get and messages.get on a fake HTTPS server, answering from scripted people
// and messages in the service's own XML shape. It can also delay, fail, answer empty or garbage.
class TFakeVkApi {
public:
    enum class TMode { Normal, Empty, Garbage, Drop };

    TFakeVkApi();

    void SetPeople(std::vector<TFakePerson> people);
    void SetMessages(std::vector<TFakeMessage> messages);
    void SetMode(TMode mode);
    void SetDelay(int ms);
    // Every answer is this API error instead (0: none).
    void SetError(int code, const QString& message);
    // Every answer has this HTTP status instead (0: none).
    void SetStatus(int status);

    QString HostPort() const { return FServer.HostPort(); }
    std::vector<TFakeRequest> Requests() const { return FServer.Requests(); }
    // The uids parameter of every users.get request so far, in order.
    QStringList LookedUp() const;

    static QString ErrorXml(int code, const QString& message);

private:
    TFakeResponse UsersGet(const TFakeRequest& request);
    TFakeResponse MessagesGet(const TFakeRequest& request);
    std::optional<TFakeResponse> Override();
    static std::string PersonXml(const TFakePerson& person);

    TFakeHttpsServer FServer;
    std::mutex FMutex;
    std::vector<TFakePerson> FPeople;
    std::vector<TFakeMessage> FMessages;
    TMode FMode = TMode::Normal;
    int FDelay = 0;
    int FErrorCode = 0;
    QString FErrorMessage;
    int FStatus = 0;
};
