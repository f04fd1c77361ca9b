#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <optional>

// The whole file, or nothing when it does not exist; a file that exists but cannot be read raises.
std::optional<QByteArray> ReadFileIfExists(const QString& path);

// Writes the whole file atomically, creating missing directories: a crash, a kill or a full disk
// leaves the previous file. Raises when the file cannot be written.
void WriteFileAtomic(const QString& path, const QByteArray& data,
                     std::optional<QFileDevice::Permissions> permissions = std::nullopt);
