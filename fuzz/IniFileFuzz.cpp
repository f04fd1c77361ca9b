#include "FuzzMain.h"

#include "support/IniFile.h"

// Any bytes in any encoding: read, every value read back, written. Writing what was read and
// reading that again gives the same file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureApplication();
    const TIniFile ini(Bytes(data, size));
    for (const QString& section : ini.Sections()) {
        ini.ReadString(section, QStringLiteral("Name"), QString());
        ini.ReadInteger(section, QStringLiteral("ProfileID"), 0);
        ini.ReadBool(section, QStringLiteral("Enabled"), false);
    }
    const QByteArray written = ini.ToBytes();
    FUZZ_ASSERT(TIniFile(written).ToBytes() == written);
    return 0;
}
