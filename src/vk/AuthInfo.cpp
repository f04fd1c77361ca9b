#include "AuthInfo.h"

#include "SignApiUrl.h"
#include "UpdateUsersThread.h"
#include "VKHttp.h"
#include "support/Clock.h"
#include "support/IniFile.h"

#include <QFile>
#include <pugixml.hpp>

#include <cstdlib>

TAuthInfo* AuthInfo = nullptr;

namespace {
const QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
const QString WrongMessagesFormat = QStringLiteral("Получен неверный формат списка сообщений");
}

TAuthInfo::TAuthInfo() : FUser(std::make_shared<TVKUser>())
{
    FUser->SetAutoLoadAvatar(false);
}

void TAuthInfo::SetToken(const QString& value)
{
    FCredentials.Update([&value](TCredentials& c) { c.Token = value; });
}

void TAuthInfo::SetSecret(const QString& value)
{
    FCredentials.Update([&value](TCredentials& c) { c.Secret = value; });
}

void TAuthInfo::Connect()
{
    FUser->UpdateInfo(QStringLiteral("id") + QString::number(FUser->ProfileID()));
}

void TAuthInfo::Disconnect()
{
    FCredentials.Set({});
    FUser->SetProfileID(0);
    FUser->SetPageID(QString());
    FUser->SetName(QString());
}

void TAuthInfo::LoadFromIniFile(const TIniFile& ini, const QString& section)
{
    FUser->SetProfileID(ini.ReadInteger(section, QStringLiteral("ProfileID"), 0));
    FUser->SetPageID(ini.ReadString(section, QStringLiteral("PageID"), QString()));
    FUser->SetName(ini.ReadString(section, QStringLiteral("Name"), QString()));
    FCredentials.Set({ini.ReadString(section, QStringLiteral("Token"), QString()),
                      ini.ReadString(section, QStringLiteral("Secret"), QString())});
}

void TAuthInfo::SaveToIniFile(TIniFile& ini, const QString& section) const
{
    const TCredentials credentials = Credentials();
    ini.WriteInteger(section, QStringLiteral("ProfileID"), FUser->ProfileID());
    ini.WriteString(section, QStringLiteral("PageID"), FUser->PageID());
    ini.WriteString(section, QStringLiteral("Name"), FUser->Name());
    ini.WriteString(section, QStringLiteral("Token"), credentials.Token);
    ini.WriteString(section, QStringLiteral("Secret"), credentials.Secret);
}

void TAuthInfo::Load(const QString& path, const QString& section)
{
    if (QFile::exists(path))
        QFile::setPermissions(path, OwnerOnly);
    LoadFromIniFile(TIniFile::FromFile(path), section);
}

void TAuthInfo::Save(const QString& path, const QString& section) const
{
    TIniFile ini = TIniFile::FromFile(path);
    SaveToIniFile(ini, section);
    ini.SaveToFile(path, OwnerOnly);
}

QString TAuthInfo::GetMessagesUrl(const QDateTime& from) const
{
    const qint64 offset = std::llabs(from.msecsTo(Now())) / 1000;
    const TCredentials credentials = Credentials();
    return ApiUrl(QStringLiteral("/method/messages.get.xml?filters=1&fields=first_name&time_offset=")
                      + QString::number(offset),
                  credentials.Token, credentials.Secret);
}

void TAuthInfo::GetUnreadMessages(const QDateTime& from)
{
    const QString body = HttpGet(GetMessagesUrl(from), QString());
    if (body.isEmpty())
        throw Exception(QStringLiteral("Empty response"));
    LoadMessagesFromXML(body);
}

void TAuthInfo::LoadMessagesFromXML(const QString& xml)
{
    pugi::xml_document document;
    const QByteArray bytes = xml.toUtf8();
    if (!document.load_buffer(bytes.constData(), size_t(bytes.size()), pugi::parse_default, pugi::encoding_utf8))
        throw Exception(WrongMessagesFormat);
    FMessages.clear();
    const pugi::xml_node root = document.document_element();
    // An error answer is not a list of messages.
    if (QLatin1String(root.name()) == QLatin1String("error"))
        throw Exception(QString::fromUtf8(root.child("error_msg").child_value()));
    bool count = true;
    for (const pugi::xml_node& child : root.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (count) {
            count = false;
            continue;
        }
        auto message = std::make_unique<TVKMessage>();
        message->LoadFromXMLNode(child);
        FMessages.push_back(std::move(message));
    }
}
