#include "UserListStore.h"

#include "VKStoredUser.h"
#include "VKUsers.h"
#include "support/Directories.h"
#include "support/IniFile.h"
#include "support/TextUtils.h"

#include <QDir>
#include <QFile>

namespace {
// Names of this length were given to person files by an older version.
constexpr int OlderFileNameLength = 36;

std::shared_ptr<TVKStoredUser> NewListedUser(TVKUsers& list)
{
    auto user = std::make_shared<TVKStoredUser>();
    user->SetNotifyBlocked(true);
    list.Add(user);
    return user;
}

void ConvertLegacyList(TVKUsers& list, const QString& legacyPath)
{
    TIniFile legacy = TIniFile::FromFile(legacyPath);
    const QStringList sections = legacy.Sections();
    for (int i = 0; i < sections.size() && i < MaxListedUsers; ++i)
        NewListedUser(list)->LoadFromIniFile(legacy, sections[i], legacyPath);
    SaveUsers(list);
    // Beyond the limit nothing is thrown away: the file stays, out of the way, for the user.
    if (sections.size() > MaxListedUsers) {
        QFile::remove(legacyPath + QStringLiteral(".old"));
        QFile::rename(legacyPath, legacyPath + QStringLiteral(".old"));
    } else {
        QFile::remove(legacyPath);
    }
}

void LoadPersonFiles(TVKUsers& list)
{
    QStringList names;
    ListFiles(UsersDir(), QStringLiteral("*.ini"), names);
    for (int i = 0; i < names.size() && i < MaxListedUsers; ++i) {
        const QString path = UsersDir() + names[i];
        const auto user = NewListedUser(list);
        user->Load(path);
        if (names[i].size() == OlderFileNameLength) {
            user->Save(UsersDir() + user->GetFilename()); // written first: the old file is the only copy
            QFile::remove(path);
        }
    }
}
}

void LoadUsers(TVKUsers& list)
{
    const QString legacyPath = UserDataDir() + QStringLiteral("Users.ini");
    if (QFile::exists(legacyPath))
        ConvertLegacyList(list, legacyPath);
    else
        LoadPersonFiles(list);
}

void SaveUsers(const TVKUsers& list)
{
    for (const auto& user : list)
        if (auto* stored = dynamic_cast<TVKStoredUser*>(user.get()))
            stored->Save(UsersDir() + stored->GetFilename());
}
