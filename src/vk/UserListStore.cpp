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

std::shared_ptr<TVKStoredUser> NewListedUser(TVKUsers& list, const TPeopleFolders& folders)
{
    auto user = std::make_shared<TVKStoredUser>(folders);
    user->SetNotifyBlocked(true);
    list.Add(user);
    return user;
}

void ConvertLegacyList(TVKUsers& list, const QString& legacyPath, const TPeopleFolders& folders)
{
    TIniFile legacy = TIniFile::FromFile(legacyPath);
    const QStringList sections = legacy.Sections();
    for (int i = 0; i < sections.size() && i < MaxListedUsers; ++i)
        NewListedUser(list, folders)->LoadFromIniFile(legacy, sections[i], legacyPath);
    SaveUsers(list);
    // Beyond the limit nothing is thrown away: the file stays, out of the way, for the user.
    if (sections.size() > MaxListedUsers) {
        QFile::remove(legacyPath + QStringLiteral(".old"));
        QFile::rename(legacyPath, legacyPath + QStringLiteral(".old"));
    } else {
        QFile::remove(legacyPath);
    }
}

void LoadPersonFiles(TVKUsers& list, const TPeopleFolders& folders)
{
    QStringList names;
    ListFiles(folders.Users, QStringLiteral("*.ini"), names);
    for (int i = 0; i < names.size() && i < MaxListedUsers; ++i) {
        const QString path = folders.Users + names[i];
        const auto user = NewListedUser(list, folders);
        user->Load(path);
        if (names[i].size() == OlderFileNameLength) {
            user->Save(user->FilePath()); // written first: the old file is the only copy
            QFile::remove(path);
        }
    }
}
}

void LoadUsers(TVKUsers& list, const QString& dataDir, const TPeopleFolders& folders)
{
    const QString legacyPath = dataDir + QStringLiteral("Users.ini");
    if (QFile::exists(legacyPath))
        ConvertLegacyList(list, legacyPath, folders);
    else
        LoadPersonFiles(list, folders);
}

void SaveUsers(const TVKUsers& list, bool changedOnly)
{
    for (const auto& user : list)
        if (auto* stored = dynamic_cast<TVKStoredUser*>(user.get()); stored && (!changedOnly || stored->Changed()))
            stored->Save(stored->FilePath());
}
