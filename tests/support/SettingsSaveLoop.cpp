#include "support/IniFile.h"
#include "vk/VKStoredUser.h"

#include <cstring>

// Writes two large, complete files in turn until it is killed: INI files, or with "person" as
// second argument, person files.
int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const bool person = argc > 2 && std::strcmp(argv[2], "person") == 0;
    for (int i = 0;; ++i) {
        const QString id = (i % 2) ? QStringLiteral("A") : QStringLiteral("B");
        if (person) {
            TVKStoredUser user {TPeopleFolders()};
            user.SetName(id);
            user.SetCustomName(QString(200000, QChar(u'ж')));
            user.SetPageID(id);
            user.Save(path);
            continue;
        }
        TIniFile ini;
        ini.WriteString(QStringLiteral("Info"), QStringLiteral("ProgramID"), id);
        ini.WriteString(QStringLiteral("Info"), QStringLiteral("Padding"), QString(200000, QChar('p')));
        ini.WriteString(QStringLiteral("Info"), QStringLiteral("End"), id);
        ini.SaveToFile(path);
    }
}
