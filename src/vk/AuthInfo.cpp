#include "AuthInfo.h"

#include "SignApiUrl.h"
#include "net/VKHttp.h"
#include "support/Clock.h"
#include "support/IniFile.h"

#include <QFile>
#include <pugixml.hpp>

#include <cstdlib>

namespace {
const QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
const QString WrongMessagesFormat = QStringLiteral("Получен неверный формат списка сообщений");
}

TAuthInfo::TAuthInfo() : FUser(std::make_shared<TVKUser>())
{
    FUser->SetAutoLoadAvatar(false);
}

void TAuthInfo::Connect(const TApiAccess& access)
{
    FUser->UpdateInfo(QStringLiteral("id") + QString::number(FUser->ProfileID()), access);
}

void TAuthInfo::Disconnect()
{
    FToken.clear();
    FSecret.clear();
    FUser->SetProfileID(0);
    FUser->SetPageID(QString());
    FUser->SetName(QString());
}

void TAuthInfo::LoadFromIniFile(const TIniFile& ini, const QString& section)
{
    FUser->SetProfileID(ini.ReadInteger(section, QStringLiteral("ProfileID"), 0));
    FUser->SetPageID(ini.ReadString(section, QStringLiteral("PageID"), QString()));
    FUser->SetName(ini.ReadString(section, QStringLiteral("Name"), QString()));
    FToken = ini.ReadString(section, QStringLiteral("Token"), QString());
    FSecret = ini.ReadString(section, QStringLiteral("Secret"), QString());
}

void TAuthInfo::SaveToIniFile(TIniFile& ini, const QString& section) const
{
    ini.WriteInteger(section, QStringLiteral("ProfileID"), FUser->ProfileID());
    ini.WriteString(section, QStringLiteral("PageID"), FUser->PageID());
    ini.WriteString(section, QStringLiteral("Name"), FUser->Name());
    ini.WriteString(section, QStringLiteral("Token"), FToken);
    ini.WriteString(section, QStringLiteral("Secret"), FSecret);
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

QString TAuthInfo::GetMessagesUrl(const QDateTime& from, const QString& apiHost) const
{
    const qint64 offset = std::llabs(from.msecsTo(Now())) / 1000;
    return ApiUrl(apiHost, QStringLiteral("/method/messages.get.xml?filters=1&fields=first_name&time_offset=")
                      + QString::number(offset),
                  FToken, FSecret);
}

void TAuthInfo::GetUnreadMessages(const QDateTime& from, const TApiAccess& access)
{
    const QString body = HttpGet(GetMessagesUrl(from, access.ApiHost), QString(), access.Http);
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
