#include "support/TextUtils.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(HasSwitch, MatchesWholeArgumentsInAnyCase)
{
    struct Case { QStringList arguments; bool expected; };
    const Case cases[] = {
        {{"-hidden"}, true},
        {{"-HIDDEN"}, true},
        {{"foo", "-Hidden"}, true},
        {{"-hiddenx"}, false},
        {{"hidden"}, false},
        {{"x-hidden"}, false},
        {{}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HasSwitch("-hidden", c.arguments), c.expected) << c.arguments.join(' ').toStdString();
}

TEST(NewGuidString, IsRegistryFormAndNew)
{
    const QString first = NewGuidString();
    EXPECT_EQ(first.size(), 38);
    EXPECT_TRUE(QRegularExpression("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$")
                    .match(first).hasMatch()) << first.toStdString();
    EXPECT_NE(first, NewGuidString());
}

TEST(TextHelpers, StripPrefixRemovesAtMostTheFirstMatchIgnoringCase)
{
    const QStringList prefixes {"https://", "http://", "www."};
    EXPECT_EQ(StripPrefix("HTTPS://www.vk.com", prefixes), "www.vk.com");
    EXPECT_EQ(StripPrefix("www.vk.com", prefixes), "vk.com");
    EXPECT_EQ(StripPrefix("vk.com", prefixes), "vk.com");
    EXPECT_EQ(StripPrefix("", prefixes), "");
}

TEST(TextHelpers, UrlLastSegment)
{
    EXPECT_EQ(GetUrlLastSegment("http://vk.com/durov"), "durov");
    EXPECT_EQ(GetUrlLastSegment("durov"), "durov");
    EXPECT_EQ(GetUrlLastSegment("http://vk.com/durov/"), "");
    EXPECT_EQ(GetUrlLastSegment("http://cs.vk.me/u1/abc.jpg"), "abc.jpg");
}

TEST(TextHelpers, JoinStringsPutsSeparatorOnlyBetween)
{
    EXPECT_EQ(JoinStrings({}, ","), "");
    EXPECT_EQ(JoinStrings({"a"}, ","), "a");
    EXPECT_EQ(JoinStrings({"a", "", "c"}, ", "), "a, , c");
}

TEST(TextHelpers, XorStringRepeatsTheKeyAndKeepsLowByte)
{
    EXPECT_EQ(XorString("", "key"), "");
    EXPECT_EQ(XorString("abc", ""), "abc");
    const QString once = XorString("hello world", "PLUM");
    EXPECT_EQ(once.size(), 11);
    EXPECT_EQ(once[0].unicode(), 'h' ^ 'P');
    EXPECT_EQ(once[4].unicode(), 'o' ^ 'P');
    EXPECT_EQ(XorString(once, "PLUM"), "hello world");
    EXPECT_EQ(XorString(QString(QChar(0x0431)), "A")[0].unicode(), (0x0431 ^ 'A') & 0xFF);
}

TEST(TextHelpers, ScrambleText)
{
    EXPECT_EQ(ScrambleText(""), "");
    // Reference computed independently: base64, XOR with the key, base64 again, URL-safe.
    EXPECT_EQ(ScrambleText("a"), "CR1ocA==");
    EXPECT_EQ(ScrambleText("id=1&v=10.5.9"), "MRsEdG0HCHcVdAo5bCIcOQMBcWg=");
    EXPECT_EQ(ScrambleText("Привет"), "ADZtYnAuamo=");
    for (const QString& text : {QString("id=1&os=Unknown&v=10.5.9"), QString("Привет ~~~?? >>>"),
                                QString(100, QChar('z'))}) {
        const QString scrambled = ScrambleText(text);
        EXPECT_FALSE(scrambled.contains('+')) << scrambled.toStdString();
        EXPECT_FALSE(scrambled.contains('/')) << scrambled.toStdString();
    }
}

TEST(TextHelpers, MD5HexOverSevenBitAscii)
{
    EXPECT_EQ(MD5Hex("", true), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(MD5Hex("abc", false), "900150983CD24FB0D6963F7D28E17F72");
    // Characters above U+007F count as "?".
    EXPECT_EQ(MD5Hex("я", true), MD5Hex("?", true));
}
