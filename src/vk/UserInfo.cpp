#include "UserInfo.h"

#include "base/Exception.h"

#include <pugixml.hpp>

namespace {
const QString NotAUserPage = QStringLiteral("Это не страница пользователя ВКонтакте либо сайт дает неверный ответ");

std::optional<QString> ChildValue(const pugi::xml_node& node, const char* name)
{
    const pugi::xml_node child = node.child(name);
    if (!child)
        return std::nullopt;
    return QString::fromUtf8(child.child_value());
}

TUserInfo ReadPerson(const pugi::xml_node& node)
{
    TUserInfo info;
    info.Uid = ChildValue(node, "uid");
    info.FirstName = ChildValue(node, "first_name");
    info.LastName = ChildValue(node, "last_name");
    info.ScreenName = ChildValue(node, "screen_name");
    info.Photo50 = ChildValue(node, "photo_50");
    info.Online = ChildValue(node, "online");
    info.OnlineMobile = ChildValue(node, "online_mobile");
    info.Hidden = bool(node.child("hidden"));
    info.Deactivated = ChildValue(node, "deactivated");
    info.LastSeenTime = ChildValue(node.child("last_seen"), "time");
    return info;
}

// Parses the answer; returns an empty optional with the parser's message when it fails.
std::optional<pugi::xml_document> Parse(const QString& xml, QString& failure)
{
    std::optional<pugi::xml_document> document(std::in_place);
    const QByteArray bytes = xml.toUtf8();
    const pugi::xml_parse_result result =
        document->load_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_default, pugi::encoding_utf8);
    if (!result) {
        failure = QString::fromUtf8(result.description());
        return std::nullopt;
    }
    return document;
}

QString ErrorMessage(const pugi::xml_node& root)
{
    return QString::fromUtf8(root.child("error_msg").child_value());
}
}

TUserInfo ParseOneUserAnswer(const QString& xml)
{
    QString failure;
    const auto document = Parse(xml, failure);
    if (!document)
        throw Exception(NotAUserPage);
    const pugi::xml_node root = document->document_element();
    if (QLatin1String(root.name()) == QLatin1String("error")) {
        if (QLatin1String(root.child("error_code").child_value()) == QLatin1String("113"))
            throw Exception(QStringLiteral("Неправильный адрес пользователя"));
        throw Exception(ErrorMessage(root));
    }
    const pugi::xml_node person = root.find_child([](const pugi::xml_node& n) { return n.type() == pugi::node_element; });
    // No person at all: nothing to fill, and not a success either.
    if (!person)
        throw Exception(QStringLiteral("Сайт не прислал данных о пользователе"));
    return ReadPerson(person);
}

std::vector<TUserInfo> ParseUsersAnswer(const QString& xml)
{
    QString failure;
    const auto document = Parse(xml, failure);
    if (!document)
        throw Exception(failure);
    const pugi::xml_node root = document->document_element();
    if (QLatin1String(root.name()) == QLatin1String("error"))
        throw Exception(ErrorMessage(root));
    std::vector<TUserInfo> people;
    for (const pugi::xml_node& child : root.children())
        if (child.type() == pugi::node_element)
            people.push_back(ReadPerson(child));
    return people;
}

int UidToInt(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw Exception(QStringLiteral("'%1' is not a valid integer value").arg(text.left(64)));
    return value;
}

QDateTime UnixTimeToLocal(const QString& text)
{
    bool ok = false;
    const qint64 seconds = text.trimmed().toLongLong(&ok);
    // Years 1 to 9999 are all a date-time text can hold, counted in local time: the last second
    // of 9999 in UTC is already in 10000 east of it.
    const QDateTime local = ok ? QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toLocalTime() : QDateTime();
    if (!local.isValid() || local.date().year() < 1 || local.date().year() > 9999)
        throw Exception(QStringLiteral("'%1' is not a valid integer value").arg(text.left(64)));
    return local;
}
