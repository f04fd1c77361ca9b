#include "FileIO.h"

#include "Exception.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
[[noreturn]] void RaiseWriteError(const QString& path, const QString& reason)
{
    throw Exception(QStringLiteral("Не удалось записать файл \"%1\": %2").arg(path, reason));
}
}

std::optional<QByteArray> ReadFileIfExists(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Не удалось открыть файл \"%1\": %2").arg(path, file.errorString()));
    return file.readAll();
}

void WriteFileAtomic(const QString& path, const QByteArray& data,
                     std::optional<QFileDevice::Permissions> permissions)
{
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        RaiseWriteError(path, QStringLiteral("не удалось создать папку"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        RaiseWriteError(path, file.errorString());
    // Set before the data goes in, so a secret is never readable by others, not even briefly.
    if (permissions && !file.setPermissions(*permissions)) {
        file.cancelWriting();
        RaiseWriteError(path, file.errorString());
    }
    // The last of the data leaves the buffer in flush(); commit() would rename a file cut short
    // by a full disk over the good one (Qt 6.4 ignores that failure), so it is checked first.
    if (file.write(data) != data.size() || !file.flush() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        RaiseWriteError(path, reason);
    }
}
