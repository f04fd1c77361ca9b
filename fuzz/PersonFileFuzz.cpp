#include "FuzzMain.h"

#include "support/IniFile.h"
#include "vk/AuthInfo.h"
#include "vk/VKStoredUser.h"

#include <QTemporaryDir>

// A person file and an Auth.ini as they come from disk. A person read and stored again reads
// back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureApplication();
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/1.ini");
    const TPeopleFolders folders {dir.path() + QStringLiteral("/"), dir.path() + QStringLiteral("/Avatars/")};
    TIniFile ini(Bytes(data, size));
    TVKStoredUser person(folders);
    person.LoadFromIniFile(ini, QStringLiteral("User"), path);
    TIniFile stored;
    person.SaveToIniFile(stored, QStringLiteral("User"));
    TVKStoredUser back(folders);
    back.LoadFromIniFile(stored, QStringLiteral("User"), path);
    TIniFile again;
    back.SaveToIniFile(again, QStringLiteral("User"));
    FUZZ_ASSERT(again.ToBytes() == stored.ToBytes());

    TAuthInfo account;
    account.LoadFromIniFile(ini, QStringLiteral("0"));
    return 0;
}
