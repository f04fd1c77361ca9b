#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// An INI file held in memory. Names compare without regard to case; sections and keys already in
// the file keep their place and their text, new ones are appended in the order written. The file
// is written back in the encoding it was read in (UTF-8 or UTF-16 with a byte-order mark); a file
// in the Windows Cyrillic code page, or a new one, is written as UTF-8 without a mark.
class TIniFile {
public:
    TIniFile() = default;
    explicit TIniFile(const QByteArray& bytes);

    // A missing file gives an empty INI; one that exists but cannot be read raises.
    static TIniFile FromFile(const QString& path);
    void SaveToFile(const QString& path,
                    std::optional<QFileDevice::Permissions> permissions = std::nullopt) const;
    QByteArray ToBytes() const;

    QStringList Sections() const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal, or hexadecimal with "0x"; anything else gives the fallback.
    int ReadInteger(const QString& section, const QString& key, int fallback) const;
    // Read as an integer; any value other than 0 is true.
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void DeleteKey(const QString& section, const QString& key);

private:
    enum class TEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE };
    struct TLine {
        QString Text;
        QString Key; // empty for lines that hold no value
        QString Value;
    };
    struct TSection {
        QString Header; // the line as it stands; empty for the lines before the first section
        QString Name;
        std::vector<TLine> Lines;
    };

    void Parse(const QString& text);
    const TLine* FindLine(const QString& section, const QString& key) const;
    TSection& SectionForWrite(const QString& section);

    std::vector<TSection> FSections;
    QHash<QString, size_t> FIndex; // lower-cased name -> first section of that name
    TEncoding FEncoding = TEncoding::Utf8;
    QString FLineBreak = QStringLiteral("\n");
};
