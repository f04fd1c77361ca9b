#include "Directories.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ProgramDir()
{
    static const QString dir = QFileInfo(ProgramFilePath()).absolutePath() + QLatin1Char('/');
    return dir;
}

namespace {
QString& UserDataOverride()
{
    static QString dir;
    return dir;
}
}

void OverrideUserDataDir(const QString& dir)
{
    UserDataOverride() = dir.isEmpty() || dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

QString UserDataDir()
{
    if (!UserDataOverride().isEmpty())
        return UserDataOverride();
    // A system-wide install cannot write beside its program directory: fall back to the user's data.
    static const QString dir = [] {
        if (QFileInfo(ProgramDir() + QStringLiteral("..")).isWritable())
            return ProgramDir() + QStringLiteral("../UserData/");
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/Peerglow/");
    }();
    return dir;
}

QString UsersDir()
{
    return UserDataDir() + QStringLiteral("Users/");
}

QString UpdatesDir()
{
    return ProgramDir() + QStringLiteral("../Updates/");
}

void ListFiles(const QString& dir, const QString& mask, QStringList& list)
{
    list = QDir(dir).entryList({mask}, QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Unsorted);
}
