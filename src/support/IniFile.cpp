#include "IniFile.h"

#include "base/Cp1251.h"
#include "base/FileIO.h"

#include <QStringDecoder>
#include <algorithm>
#include <QStringEncoder>

namespace {
QString Decode(QStringConverter::Encoding encoding, QByteArrayView bytes, bool* failed = nullptr)
{
    // The file's own mark is already off: a second one is text, kept so that it is written back.
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder(bytes);
    if (failed)
        *failed = decoder.hasError();
    return text;
}

// A value never spans lines: a line break inside it would forge other keys.
QString OneLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}
}

TIniFile::TIniFile(const QByteArray& bytes)
{
    QString text;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        FEncoding = TEncoding::Utf8Bom;
        text = Decode(QStringConverter::Utf8, QByteArrayView(bytes).sliced(3));
    } else if (bytes.startsWith("\xFF\xFE")) {
        FEncoding = TEncoding::Utf16LE;
        text = Decode(QStringConverter::Utf16LE, QByteArrayView(bytes).sliced(2));
    } else if (bytes.startsWith("\xFE\xFF")) {
        FEncoding = TEncoding::Utf16BE;
        text = Decode(QStringConverter::Utf16BE, QByteArrayView(bytes).sliced(2));
    } else {
        bool failed = false;
        text = Decode(QStringConverter::Utf8, bytes, &failed);
        if (failed)
            text = DecodeCp1251(bytes);
    }
    Parse(text);
}

void TIniFile::Parse(const QString& text)
{
    const qsizetype firstBreak = text.indexOf(QLatin1Char('\n'));
    if (firstBreak > 0 && text[firstBreak - 1] == QLatin1Char('\r'))
        FLineBreak = QStringLiteral("\r\n");
    FSections.push_back({});
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    // Only the file's own line break comes off: a stray carriage return stays in its line, so
    // that writing the file back gives the bytes it was read from.
    const bool crlf = FLineBreak.size() == 2;
    for (QString& line : lines) {
        if (crlf && line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (trimmed.startsWith(QLatin1Char('[')) && close > 0) {
            const QString name = trimmed.mid(1, close - 1).trimmed();
            if (!FIndex.contains(name.toLower()))
                FIndex.insert(name.toLower(), FSections.size());
            FSections.push_back({line, name, {}});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        const bool isValue = equals > 0 && !trimmed.startsWith(QLatin1Char(';'));
        FSections.back().Lines.push_back(
            {line, isValue ? line.left(equals).trimmed() : QString(),
             isValue ? line.mid(equals + 1).trimmed() : QString()});
    }
}

TIniFile TIniFile::FromFile(const QString& path)
{
    const std::optional<QByteArray> bytes = ReadFileIfExists(path);
    return bytes ? TIniFile(*bytes) : TIniFile();
}

QByteArray TIniFile::ToBytes() const
{
    QString text;
    for (const TSection& section : FSections) {
        if (!section.Header.isEmpty())
            text += section.Header + FLineBreak;
        for (const TLine& line : section.Lines)
            text += line.Text + FLineBreak;
    }
    switch (FEncoding) {
    case TEncoding::Utf8Bom:
        return "\xEF\xBB\xBF" + text.toUtf8();
    case TEncoding::Utf16LE:
        return QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringConverter::Utf16LE).encode(text);
    case TEncoding::Utf16BE:
        return QByteArray("\xFE\xFF", 2) + QStringEncoder(QStringConverter::Utf16BE).encode(text);
    case TEncoding::Utf8:
        break;
    }
    return text.toUtf8();
}

void TIniFile::SaveToFile(const QString& path, std::optional<QFileDevice::Permissions> permissions) const
{
    WriteFileAtomic(path, ToBytes(), permissions);
}

QStringList TIniFile::Sections() const
{
    QStringList names;
    for (size_t i = 1; i < FSections.size(); ++i)
        names.append(FSections[i].Name);
    return names;
}

bool TIniFile::SectionExists(const QString& section) const
{
    return FIndex.contains(section.toLower());
}

const TIniFile::TLine* TIniFile::FindLine(const QString& section, const QString& key) const
{
    const auto found = FIndex.constFind(section.toLower());
    if (found == FIndex.constEnd() || key.isEmpty())
        return nullptr;
    for (const TLine& line : FSections[*found].Lines)
        if (line.Key.compare(key, Qt::CaseInsensitive) == 0)
            return &line;
    return nullptr;
}

bool TIniFile::ValueExists(const QString& section, const QString& key) const
{
    return FindLine(section, key) != nullptr;
}

QString TIniFile::ReadString(const QString& section, const QString& key, const QString& fallback) const
{
    const TLine* line = FindLine(section, key);
    return line ? line->Value : fallback;
}

int TIniFile::ReadInteger(const QString& section, const QString& key, int fallback) const
{
    const QString text = ReadString(section, key, QString());
    bool ok = false;
    int value = 0;
    if (text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        value = text.mid(2).toInt(&ok, 16);
    else
        value = text.toInt(&ok, 10);
    return ok ? value : fallback;
}

bool TIniFile::ReadBool(const QString& section, const QString& key, bool fallback) const
{
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

TIniFile::TSection& TIniFile::SectionForWrite(const QString& section)
{
    const auto found = FIndex.constFind(section.toLower());
    if (found != FIndex.constEnd())
        return FSections[*found];
    if (FSections.empty())
        FSections.push_back({});
    FIndex.insert(section.toLower(), FSections.size());
    FSections.push_back({QLatin1Char('[') + section + QLatin1Char(']'), section, {}});
    return FSections.back();
}

void TIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    const QString text = OneLine(value);
    TSection& target = SectionForWrite(section);
    auto insertAt = target.Lines.begin();
    for (auto it = target.Lines.begin(); it != target.Lines.end(); ++it) {
        if (it->Key.compare(key, Qt::CaseInsensitive) == 0) {
            it->Text = it->Key + QLatin1Char('=') + text;
            it->Value = text.trimmed();
            return;
        }
        if (!it->Key.isEmpty())
            insertAt = it + 1;
    }
    target.Lines.insert(insertAt, {key + QLatin1Char('=') + text, key, text.trimmed()});
}

void TIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void TIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::DeleteKey(const QString& section, const QString& key)
{
    const auto found = FIndex.constFind(section.toLower());
    if (found == FIndex.constEnd())
        return;
    auto& lines = FSections[*found].Lines;
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&key](const TLine& line) { return line.Key.compare(key, Qt::CaseInsensitive) == 0; }),
                lines.end());
}
