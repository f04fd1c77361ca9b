#include "VKStoredUser.h"

#include "InstanceCounter.h"
#include "support/Clock.h"
#include "support/DateTimeText.h"
#include "support/IniFile.h"
#include "support/PageUrl.h"

#include <QFile>

namespace {
// The Windows program wrote "not set" as the day count 0: 30.12.1899 at midnight.
QDateTime ReadLastOnline(const QString& text)
{
    const QDateTime moment = TextToDateTime(text);
    if (moment == QDateTime(QDate(1899, 12, 30), QTime(0, 0)))
        return {};
    return moment;
}

TProfileState ReadState(const TIniFile& ini, const QString& section)
{
    const int value = ini.ReadInteger(section, QStringLiteral("ProfileState"), 0);
    return value >= psNormal && value <= psBanned ? TProfileState(value) : psNormal;
}
}

TVKStoredUser::TVKStoredUser(const TPeopleFolders& folders) : FFolders(folders)
{
    Avatar().SetSaveToDisk(true);
    Avatar().SetDirectory(folders.Avatars);
}

TVKStoredUser::~TVKStoredUser()
{
    if (InstanceCounter)
        InstanceCounter->DecCounter(ProfileID());
}

void TVKStoredUser::SetProfileID(int value)
{
    if (value != ProfileID() && InstanceCounter) {
        InstanceCounter->DecCounter(ProfileID());
        InstanceCounter->IncCounter(value);
    }
    TVKUser::SetProfileID(value);
}

void TVKStoredUser::DoUpdated()
{
    FHasBeenUpdated = true;
    TVKUser::DoUpdated();
}

void TVKStoredUser::LoadFromXMLNode(const TUserInfo& info, TRefreshWork& work)
{
    const bool wasOnline = Online();
    TVKUser::LoadFromXMLNode(info, work);
    FStateChanged = Online() != wasOnline;
    if (FileDue() && !FFolders.Users.isEmpty() && (!CanSaveFile || CanSaveFile(*this)))
        work.AddFileSave(shared_from_this(), FilePath(), TakeRecord());
}

// Someone online has a new last-seen time at every refresh: that alone is written at most once a
// minute, and at once when they are offline. Any other change is written at once.
bool TVKStoredUser::FileDue() const
{
    if (!FChanged)
        return false;
    if (!Online() || !FWrittenAt.isValid() || FWrittenAt.secsTo(Now()) >= LastSeenWriteSeconds)
        return true;
    return !FWrittenValues || *FWrittenValues != ValuesDigest(Record());
}

// A few bytes a person rather than a copy of the record: 999 people are kept all day.
size_t TVKStoredUser::ValuesDigest(const TRefreshWork::TFileRecord& record)
{
    size_t digest = 0;
    for (const auto& [key, value] : record)
        if (key != QStringLiteral("LastOnline"))
            digest = qHashMulti(digest, key, value);
    return digest;
}

void TVKStoredUser::MarkChanged()
{
    TVKUser::MarkChanged();
    FWrittenValues.reset();
}

void TVKStoredUser::SetCustomName(const QString& value)
{
    if (value != FCustomName)
        FChanged = true;
    FCustomName = value;
}

QString TVKStoredUser::GetFilename() const
{
    return QString::number(ProfileID()) + QStringLiteral(".ini");
}

TRefreshWork::TFileRecord TVKStoredUser::Record() const
{
    return {
        {QStringLiteral("Url"), Url()},
        {QStringLiteral("Name"), Name()},
        {QStringLiteral("ProfileID"), QString::number(ProfileID())},
        {QStringLiteral("PageID"), PageID()},
        {QStringLiteral("AvatarUrl"), Avatar().Url()},
        {QStringLiteral("LastOnline"), DateTimeToText(LastOnline())},
        {QStringLiteral("ProfileState"), QString::number(int(ProfileState()))},
        {QStringLiteral("CustomName"), FCustomName},
    };
}

TRefreshWork::TFileRecord TVKStoredUser::TakeRecord()
{
    TRefreshWork::TFileRecord record = Record();
    FWrittenValues = ValuesDigest(record);
    FWrittenAt = Now();
    FChanged = false;
    return record;
}

void TVKStoredUser::SaveToIniFile(TIniFile& ini, const QString& section)
{
    for (const auto& [key, value] : TakeRecord())
        ini.WriteString(section, key, value);
}

void TVKStoredUser::LoadFromIniFile(TIniFile& ini, const QString& section, const QString& iniPath)
{
    FUrl = ini.ReadString(section, QStringLiteral("Url"), QString());
    NormalizePageUrl(FUrl, Site());
    SetName(ini.ReadString(section, QStringLiteral("Name"), QString()));
    SetCustomName(ini.ReadString(section, QStringLiteral("CustomName"), QString()));
    SetProfileID(ini.ReadInteger(section, QStringLiteral("ProfileID"), 0));
    SetPageID(ini.ReadString(section, QStringLiteral("PageID"), QString()));
    SetLastOnline(ReadLastOnline(ini.ReadString(section, QStringLiteral("LastOnline"), QString())));
    SetProfileState(ReadState(ini, section));
    SetOnline(false);
    Avatar().SetUrl(ini.ReadString(section, QStringLiteral("AvatarUrl"), QString()));
    FChanged = false;
    // An undecodable cache file (an interrupted download of an older version) costs the person
    // only its picture until the next refresh brings it again.
    Avatar().LoadFromFileLater();
    ConvertOlderKeys(ini, section, iniPath);
}

void TVKStoredUser::ConvertOlderKeys(TIniFile& ini, const QString& section, const QString& iniPath)
{
    const QString blockName = QStringLiteral("BlockName");
    const QString avatarFile = QStringLiteral("AvatarFile");
    const bool hasBlockName = ini.ValueExists(section, blockName);
    const bool hasAvatarFile = ini.ValueExists(section, avatarFile);
    if (hasBlockName) {
        if (ini.ReadBool(section, blockName, false)) {
            FCustomName = Name();
            ini.WriteString(section, QStringLiteral("CustomName"), FCustomName);
        }
        ini.DeleteKey(section, blockName);
    }
    if (hasAvatarFile) {
        const QString name = ini.ReadString(section, avatarFile, QString());
        // Only a plain file name inside the avatar directory, never a path elsewhere.
        if (!name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')))
            QFile::remove(FFolders.Avatars + name);
        ini.DeleteKey(section, avatarFile);
    }
    if (hasBlockName || hasAvatarFile)
        ini.SaveToFile(iniPath);
}

void TVKStoredUser::Save(const QString& filename)
{
    WriteUserFile(filename, TakeRecord());
}

void TVKStoredUser::Load(const QString& filename)
{
    TIniFile ini = TIniFile::FromFile(filename);
    LoadFromIniFile(ini, QStringLiteral("User"), filename);
}

void TVKStoredUser::DeleteUserFile()
{
    const QString file = FilePath();
    if (QFile::exists(file))
        QFile::remove(file);
}
