#include "FakeVkApi.h"

#include <QUrlQuery>

namespace {
std::string Xml(const QString& body)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" + body.toStdString();
}

std::string Element(const char* name, const QString& value)
{
    const QByteArray text = value.toHtmlEscaped().toUtf8();
    return QByteArray("<").append(name).append('>').append(text).append("</").append(name).append('>').toStdString();
}

QString Param(const TFakeRequest& request, const char* name)
{
    const qsizetype question = qsizetype(request.Target.find('?'));
    if (question < 0)
        return {};
    return QUrlQuery(QString::fromStdString(request.Target.substr(size_t(question) + 1)))
        .queryItemValue(QLatin1String(name), QUrl::FullyDecoded);
}

TFakeResponse XmlAnswer(const std::string& body, int delay)
{
    TFakeResponse response = Answer(200, body);
    response.ContentType = "text/xml; charset=utf-8";
    response.DelayMs = delay;
    return response;
}
}

TFakeVkApi::TFakeVkApi()
{
    FServer.On("/method/users.get.xml", [this](const TFakeRequest& r) { return UsersGet(r); });
    FServer.On("/method/messages.get.xml", [this](const TFakeRequest& r) { return MessagesGet(r); });
}

void TFakeVkApi::SetPeople(std::vector<TFakePerson> people)
{
    std::lock_guard lock(FMutex);
    FPeople = std::move(people);
}

void TFakeVkApi::SetMessages(std::vector<TFakeMessage> messages)
{
    std::lock_guard lock(FMutex);
    FMessages = std::move(messages);
}

void TFakeVkApi::SetMode(TMode mode)
{
    std::lock_guard lock(FMutex);
    FMode = mode;
}

void TFakeVkApi::SetDelay(int ms)
{
    std::lock_guard lock(FMutex);
    FDelay = ms;
}

void TFakeVkApi::SetError(int code, const QString& message)
{
    std::lock_guard lock(FMutex);
    FErrorCode = code;
    FErrorMessage = message;
}

void TFakeVkApi::SetStatus(int status)
{
    std::lock_guard lock(FMutex);
    FStatus = status;
}

QString TFakeVkApi::ErrorXml(int code, const QString& message)
{
    return QStringLiteral("<error><error_code>%1</error_code><error_msg>%2</error_msg>"
                          "<request_params list=\"true\"><param><key>oauth</key><value>1</value></param>"
                          "</request_params></error>")
        .arg(code)
        .arg(message.toHtmlEscaped());
}

std::optional<TFakeResponse> TFakeVkApi::Override()
{
    TFakeResponse response = Answer(200, "");
    response.DelayMs = FDelay;
    if (FStatus) {
        response.Status = FStatus;
        return response;
    }
    switch (FMode) {
    case TMode::Empty:
        return response;
    case TMode::Garbage:
        response.Body = "<<<not xml at all>>> \x01\x02";
        return response;
    case TMode::Drop:
        response.Drop = true;
        return response;
    case TMode::Normal:
        break;
    }
    if (FErrorCode)
        return XmlAnswer(Xml(ErrorXml(FErrorCode, FErrorMessage)), FDelay);
    return std::nullopt;
}

std::string TFakeVkApi::PersonXml(const TFakePerson& p)
{
    std::string xml = "<user>" + Element("uid", QString::number(p.Uid)) + Element("first_name", p.FirstName);
    if (!p.NotAPerson)
        xml += Element("last_name", p.LastName);
    if (p.Hidden)
        xml += Element("hidden", "1");
    if (!p.Deactivated.isEmpty())
        xml += Element("deactivated", p.Deactivated);
    xml += Element("screen_name", p.ScreenName.isEmpty() ? "id" + QString::number(p.Uid) : p.ScreenName);
    if (!p.Photo50.isEmpty())
        xml += Element("photo_50", p.Photo50);
    xml += Element("online", p.Online ? "1" : "0");
    if (p.Online && p.OnlineMobile)
        xml += Element("online_mobile", "1");
    if (p.LastSeen)
        xml += "<last_seen>" + Element("time", QString::number(p.LastSeen)) + Element("platform", "7") + "</last_seen>";
    return xml + "</user>";
}

QStringList TFakeVkApi::LookedUp() const
{
    QStringList ids;
    for (const TFakeRequest& request : FServer.Requests())
        if (request.Path == "/method/users.get.xml")
            ids << Param(request, "uids");
    return ids;
}

TFakeResponse TFakeVkApi::UsersGet(const TFakeRequest& request)
{
    std::lock_guard lock(FMutex);
    if (auto response = Override())
        return *response;
    const QStringList ids = Param(request, "uids").split(QLatin1Char(','), Qt::SkipEmptyParts);
    std::string people;
    for (const QString& id : ids) {
        for (const TFakePerson& person : FPeople) {
            const QString screen = person.ScreenName.isEmpty() ? "id" + QString::number(person.Uid) : person.ScreenName;
            if (id == screen || id == "id" + QString::number(person.Uid) || id == QString::number(person.Uid)) {
                people += PersonXml(person);
                break;
            }
        }
    }
    if (people.empty() && ids.size() == 1)
        return XmlAnswer(Xml(ErrorXml(113, "Invalid user id")), FDelay);
    return XmlAnswer(Xml("") + "<response list=\"true\">" + people + "</response>", FDelay);
}

TFakeResponse TFakeVkApi::MessagesGet(const TFakeRequest&)
{
    std::lock_guard lock(FMutex);
    if (auto response = Override())
        return *response;
    std::string xml = "<response list=\"true\">" + Element("count", QString::number(FMessages.size()));
    for (const TFakeMessage& m : FMessages)
        xml += "<message>" + Element("mid", "1") + Element("date", QString::number(m.Date)) + Element("out", "0")
            + Element("uid", QString::number(m.Uid)) + Element("read_state", "0") + Element("title", m.Title)
            + Element("body", m.Body) + "</message>";
    return XmlAnswer(Xml("") + xml + "</response>", FDelay);
}
