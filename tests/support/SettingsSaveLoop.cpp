#include "support/IniFile.h"

// Writes two large, complete INI files in turn until it is killed.
int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    for (int i = 0;; ++i) {
        const QString id = (i % 2) ? QStringLiteral("A") : QStringLiteral("B");
        TIniFile ini;
        ini.WriteString(QStringLiteral("Info"), QStringLiteral("ProgramID"), id);
        ini.WriteString(QStringLiteral("Info"), QStringLiteral("Padding"), QString(200000, QChar('p')));
        ini.WriteString(QStringLiteral("Info"), QStringLiteral("End"), id);
        ini.SaveToFile(path);
    }
}
