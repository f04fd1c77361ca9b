#include "TextUtils.h"

#include "platform/Platform.h"

#include <QCryptographicHash>
#include <QUuid>

namespace {
// Characters above U+007F become "?", as the update service and the API signature expect.
QByteArray ToAscii7(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (QChar c : text)
        bytes.append(c.unicode() < 0x80 ? char(c.unicode()) : '?');
    return bytes;
}
}

bool HasSwitch(const QString& name, const QStringList& arguments)
{
    for (const QString& argument : arguments)
        if (argument.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool HasSwitch(const QString& name)
{
    return HasSwitch(name, CommandLineArguments());
}

QString NewGuidString()
{
    const QUuid guid = QUuid::createUuid();
    if (guid.isNull())
        return {};
    return guid.toString(QUuid::WithBraces).toUpper();
}

QString JoinStrings(const QStringList& list, const QString& separator)
{
    return list.join(separator);
}

QString StripPrefix(const QString& text, const QStringList& prefixes)
{
    for (const QString& prefix : prefixes)
        if (text.startsWith(prefix, Qt::CaseInsensitive))
            return text.mid(prefix.size());
    return text;
}

QString GetUrlLastSegment(const QString& url)
{
    return url.mid(url.lastIndexOf(QLatin1Char('/')) + 1);
}

QString XorString(const QString& text, const QString& key)
{
    if (key.isEmpty())
        return text;
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = QChar((text[i].unicode() ^ key[i % key.size()].unicode()) & 0xFF);
    return result;
}

QString ScrambleText(const QString& text)
{
    const QString first = QString::fromLatin1(ToAscii7(text).toBase64());
    const QString mixed = XorString(first, QStringLiteral("PLUM TREE ON HILL"));
    QString second = QString::fromLatin1(mixed.toLatin1().toBase64());
    second.replace(QLatin1Char('+'), QLatin1Char('-'));
    second.replace(QLatin1Char('/'), QLatin1Char('_'));
    return second;
}

QString MD5Hex(const QString& text, bool lower)
{
    const QByteArray hex = QCryptographicHash::hash(ToAscii7(text), QCryptographicHash::Md5).toHex();
    const QString digits = QString::fromLatin1(hex);
    return lower ? digits : digits.toUpper();
}
