#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The resident size of a process ("self" for this one) in KB, from outside as top sees it.
inline long ResidentKb(const QString& pid = QStringLiteral("self"))
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}
