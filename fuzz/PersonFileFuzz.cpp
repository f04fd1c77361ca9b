#include "FuzzMain.h"

#include "support/IniFile.h"
#include "vk/AuthInfo.h"
#include "vk/VKStoredUser.h"

#include <QTemporaryDir>

// A person file and an Auth.ini as they come from disk.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureApplication();
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/1.ini");
    const TPeopleFolders folders {dir.path() + QStringLiteral("/"), dir.path() + QStringLiteral("/Avatars/")};
    TIniFile ini(Bytes(data, size));
    // An address without a page id gains one derived from it on the first save, so the file
    // settles after one save: from then on reading and storing change nothing.
    const auto resave = [&](TIniFile& from) {
        TVKStoredUser person(folders);
        person.LoadFromIniFile(from, QStringLiteral("User"), path);
        TIniFile stored;
        person.SaveToIniFile(stored, QStringLiteral("User"));
        return stored;
    };
    TIniFile once = resave(ini);
    TIniFile twice = resave(once);
    const QByteArray settled = twice.ToBytes();
    FUZZ_ASSERT(resave(twice).ToBytes() == settled);

    TAuthInfo account;
    account.LoadFromIniFile(ini, QStringLiteral("0"));
    return 0;
}
