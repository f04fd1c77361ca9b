#include "support/Clock.h"
#include "support/LastSeen.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {
class LastSeenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    }
    void TearDown() override
    {
        SetNowProvider({});
        QLocale::setDefault(QLocale::system());
    }
    void SetNow(const QDateTime& now)
    {
        SetNowProvider([now] { return now; });
    }
    static QDateTime At(int y, int m, int d, int h, int min, int s = 0)
    {
        return QDateTime(QDate(y, m, d), QTime(h, min, s));
    }
};
}

TEST_F(LastSeenTest, NotSetIsEmpty)
{
    SetNow(At(2026, 8, 5, 14, 0));
    EXPECT_EQ(FormatLastSeen(QDateTime()), "");
}

TEST_F(LastSeenTest, MinutesAndDays)
{
    const QDateTime now = At(2026, 8, 5, 14, 30);
    const QString aug = QLocale().monthName(8, QLocale::ShortFormat);
    struct Case { QDateTime moment; QString expected; };
    const Case cases[] = {
        {now.addSecs(-30), "только что"},
        {now.addSecs(30), "только что"},
        {now.addSecs(-60), "1 минуту назад"},
        {now.addSecs(-4 * 60), "4 минуты назад"},
        {now.addSecs(-11 * 60), "11 минут назад"},
        {now.addSecs(-21 * 60), "21 минуту назад"},
        {now.addSecs(-59 * 60 - 59), "59 минут назад"},
        {now.addSecs(-60 * 60), "сегодня в 13:30"},
        {At(2026, 8, 4, 9, 5), "вчера в 09:05"},
        {At(2026, 8, 3, 23, 59), "3 " + aug + " в 23:59"},
    };
    SetNow(now);
    for (const Case& c : cases)
        EXPECT_EQ(FormatLastSeen(c.moment), c.expected) << c.moment.toString().toStdString();
}

TEST_F(LastSeenTest, JustAfterMidnightStillCountsMinutes)
{
    SetNow(At(2026, 8, 5, 0, 10));
    EXPECT_EQ(FormatLastSeen(At(2026, 8, 4, 23, 11)), "59 минут назад");
    EXPECT_EQ(FormatLastSeen(At(2026, 8, 4, 23, 10)), "вчера в 23:10");
}

TEST_F(LastSeenTest, YearOnlyWhenYearsDifferAndThreeMonthsApart)
{
    SetNow(At(2027, 1, 5, 12, 0));
    const QLocale locale;
    EXPECT_EQ(FormatLastSeen(At(2026, 12, 20, 8, 0)),
              "20 " + locale.monthName(12, QLocale::ShortFormat) + " в 08:00");
    EXPECT_EQ(FormatLastSeen(At(2026, 8, 5, 8, 0)),
              "5 " + locale.monthName(8, QLocale::ShortFormat) + " 2026 в 08:00");
    // Same year, far apart: no year.
    SetNow(At(2027, 12, 30, 12, 0));
    EXPECT_EQ(FormatLastSeen(At(2027, 1, 2, 8, 0)),
              "2 " + locale.monthName(1, QLocale::ShortFormat) + " в 08:00");
}

TEST(PluralWord, RussianEndings)
{
    struct Case { int count; const char* expected; };
    const Case cases[] = {
        {11, "many"}, {12, "many"}, {13, "many"}, {14, "many"},
        {1, "one"}, {21, "one"}, {101, "one"}, {111, "one"},
        {2, "few"}, {24, "few"}, {112, "few"},
        {0, "many"}, {5, "many"}, {25, "many"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PluralWord(c.count, "", "one", "few", "many"), c.expected) << c.count;
    EXPECT_EQ(PluralWord(3, "пользовател", "ь", "я", "ей"), "пользователя");
}
