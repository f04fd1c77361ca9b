#include "base/Exception.h"
#include "support/IniFile.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray Utf16(const QString& text, QStringConverter::Encoding encoding)
{
    return QStringEncoder(encoding)(text);
}
}

TEST(IniFile, NamesCompareWithoutCase)
{
    const TIniFile ini(QByteArray("[General]\nAutoLoad = 0 \n"));
    EXPECT_EQ(ini.ReadString("GENERAL", "autoload", "x"), "0");
    EXPECT_TRUE(ini.SectionExists("general"));
    EXPECT_TRUE(ini.ValueExists("General", "AUTOLOAD"));
    EXPECT_FALSE(ini.ValueExists("General", "Other"));
    EXPECT_EQ(ini.ReadString("Missing", "AutoLoad", "x"), "x");
}

TEST(IniFile, IntegersAndBooleans)
{
    const TIniFile ini(QByteArray("[s]\nd=42\nn=-5\nh=0x1F\nbad=12a\nempty=\nbig=99999999999\n"
                                  "t=2\nf=0\nword=abc\n"));
    struct Case { const char* key; int expected; };
    const Case cases[] = {{"d", 42}, {"n", -5}, {"h", 31}, {"bad", 7}, {"empty", 7}, {"big", 7}, {"none", 7}};
    for (const Case& c : cases)
        EXPECT_EQ(ini.ReadInteger("s", c.key, 7), c.expected) << c.key;
    EXPECT_TRUE(ini.ReadBool("s", "t", false));
    EXPECT_FALSE(ini.ReadBool("s", "f", true));
    EXPECT_TRUE(ini.ReadBool("s", "word", true));
    EXPECT_FALSE(ini.ReadBool("s", "word", false));
}

TEST(IniFile, ExistingLinesKeepTheirPlaceAndNewOnesAreAppended)
{
    TIniFile ini(QByteArray("; a comment\n[B]\nkeep = as it was \nx=1\n\n[A]\ny=2\n"));
    ini.WriteString("a", "Y", "3");
    ini.WriteString("B", "new", "n");
    ini.WriteString("C", "first", "1");
    ini.WriteInteger("C", "second", 2);
    EXPECT_EQ(ini.ToBytes(), QByteArray("; a comment\n[B]\nkeep = as it was \nx=1\nnew=n\n\n[A]\ny=3\n"
                                        "[C]\nfirst=1\nsecond=2\n"));
    EXPECT_EQ(ini.Sections(), QStringList({"B", "A", "C"}));
}

TEST(IniFile, ValuesNeverSpanLines)
{
    TIniFile ini;
    ini.WriteString("User", "Name", "Bob\r\n[Evil]\nKey=1");
    const TIniFile back(ini.ToBytes());
    EXPECT_FALSE(back.SectionExists("Evil"));
    EXPECT_EQ(back.ReadString("User", "Name", ""), "Bob  [Evil] Key=1");
}

TEST(IniFile, EncodingsAreReadAndWrittenBack)
{
    const QString text = QString::fromUtf8("[User]\r\nName=Дмитрий\r\n");
    struct Case { const char* name; QByteArray bytes; };
    const Case cases[] = {
        {"utf-8", text.toUtf8()},
        {"utf-8 with mark", "\xEF\xBB\xBF" + text.toUtf8()},
        {"utf-16le with mark", QByteArray("\xFF\xFE", 2) + Utf16(text, QStringConverter::Utf16LE)},
        {"utf-16be with mark", QByteArray("\xFE\xFF", 2) + Utf16(text, QStringConverter::Utf16BE)},
    };
    for (const Case& c : cases) {
        TIniFile ini(c.bytes);
        EXPECT_EQ(ini.ReadString("User", "Name", ""), QString::fromUtf8("Дмитрий")) << c.name;
        EXPECT_EQ(ini.ToBytes(), c.bytes) << c.name;
    }
}

TEST(IniFile, WindowsCyrillicIsReadAndWrittenBackAsUtf8)
{
    const QByteArray cp1251("[User]\r\nName=\xC4\xEC\xE8\xF2\xF0\xE8\xE9\r\n");
    TIniFile ini(cp1251);
    EXPECT_EQ(ini.ReadString("User", "Name", ""), QString::fromUtf8("Дмитрий"));
    EXPECT_EQ(ini.ToBytes(), QString::fromUtf8("[User]\r\nName=Дмитрий\r\n").toUtf8());
}

TEST(IniFile, GarbageAndHugeLinesDoNotBreakReading)
{
    QByteArray garbage;
    for (int i = 0; i < 100000; ++i)
        garbage.append(char((i * 7919) % 256));
    const TIniFile noise(garbage);
    EXPECT_EQ(noise.ReadInteger("General", "UpdateInterval", 10), 10);

    QByteArray huge = "[General]\nName=" + QByteArray(1 << 20, 'x') + "\nUpdateInterval=20\n";
    const TIniFile big(huge);
    EXPECT_EQ(big.ReadString("General", "Name", "").size(), 1 << 20);
    EXPECT_EQ(big.ReadInteger("General", "UpdateInterval", 10), 20);
}

TEST(IniFile, FilesRoundTripAndErrorsRaise)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/sub/dir/Settings.ini";
    EXPECT_TRUE(TIniFile::FromFile(path).Sections().isEmpty());
    TIniFile ini;
    ini.WriteString("Info", "ProgramID", "{X}");
    ini.SaveToFile(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(TIniFile::FromFile(path).ReadString("Info", "ProgramID", ""), "{X}");
    const QFileDevice::Permissions ownerAndOthers(0xF0FF);
    EXPECT_EQ(QFile(path).permissions() & ownerAndOthers, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // A directory where the file should be: neither reading nor writing can succeed.
    EXPECT_THROW(ini.SaveToFile(dir.path() + "/sub"), Exception);
}

// Whatever line breaks a file mixes, writing what was read gives the same bytes, so repeated
// saves do not wear a line away.
TEST(IniFile, MixedLineBreaksAreWrittenBackAsRead)
{
    for (const QByteArray& bytes : {QByteArray("[A]\nk=v\r\r\r\nx=1\n"), QByteArray("[A]\r\nk=v\nx=1\r\r\n")}) {
        const TIniFile ini(bytes);
        EXPECT_EQ(ini.ReadString("A", "k", ""), "v") << bytes.toStdString();
        EXPECT_EQ(ini.ReadString("A", "x", ""), "1") << bytes.toStdString();
        const QByteArray written = ini.ToBytes();
        EXPECT_EQ(TIniFile(written).ToBytes(), written) << bytes.toStdString();
    }
    EXPECT_EQ(TIniFile(QByteArray("[A]\nk=v\r\r\n")).ToBytes(), "[A]\nk=v\r\r\n");
    // A byte-order mark after the file's own is text, not a second mark to drop.
    for (const QByteArray& marked : {QByteArray("\xFE\xFF\xFE\xFF\x00[\x00\n", 8), QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF[A]\n")})
        EXPECT_EQ(TIniFile(marked).ToBytes(), marked) << marked.toHex().toStdString();
}
