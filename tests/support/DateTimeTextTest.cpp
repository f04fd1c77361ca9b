#include "support/DateTimeText.h"

#include <QLocale>
#include <gtest/gtest.h>

TEST(DateTimeText, RoundTripsToTheSecondWhateverTheLocale)
{
    const QDateTime moment(QDate(2026, 8, 5), QTime(14, 3, 7));
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::Russian), QLocale(QLocale::German), QLocale::c()}) {
        QLocale::setDefault(locale);
        EXPECT_EQ(TextToDateTime(DateTimeToText(moment)), moment) << locale.name().toStdString();
    }
    QLocale::setDefault(QLocale::system());
}

TEST(DateTimeText, ReadsTheWindowsProgramsFormsAndIso)
{
    const QDateTime expected(QDate(2026, 8, 5), QTime(14, 3, 7));
    EXPECT_EQ(DateTimeToText(expected), "05.08.2026 14:03:07");
    for (const char* text : {"05.08.2026 14:03:07", "5.8.2026 14:03:07", " 05.08.2026 14:03:07 ",
                             "2026-08-05T14:03:07", "2026-08-05 14:03:07", "8/5/2026 2:03:07 PM"})
        EXPECT_EQ(TextToDateTime(text), expected) << text;
    EXPECT_EQ(TextToDateTime("05.08.2026"), QDateTime(QDate(2026, 8, 5), QTime(0, 0)));
}

TEST(DateTimeText, NotSetAndGarbage)
{
    EXPECT_EQ(DateTimeToText(QDateTime()), "");
    for (const char* text : {"", "abc", "32.13.2026 25:61:61", "0"})
        EXPECT_FALSE(TextToDateTime(text).isValid()) << text;
}
