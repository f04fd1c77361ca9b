#include "LastSeen.h"

#include "Clock.h"

#include <QLocale>
#include <cstdlib>

QString PluralWord(int count, const QString& stem, const QString& one, const QString& few,
                   const QString& many)
{
    if (count >= 11 && count <= 14)
        return stem + many;
    const int last = count % 10;
    if (last == 1)
        return stem + one;
    if (last >= 2 && last <= 4)
        return stem + few;
    return stem + many;
}

namespace {
QString DayText(const QDateTime& moment, const QDateTime& now)
{
    const qint64 days = moment.date().daysTo(now.date());
    if (days == 0)
        return QStringLiteral("сегодня");
    if (days == 1)
        return QStringLiteral("вчера");
    const QLocale locale;
    QString text = QString::number(moment.date().day()) + QLatin1Char(' ')
        + locale.monthName(moment.date().month(), QLocale::ShortFormat);
    const double spanDays = std::abs(moment.msecsTo(now)) / 86400000.0;
    if (moment.date().year() != now.date().year() && int(spanDays / 30.4375) >= 3)
        text += QLatin1Char(' ') + QString::number(moment.date().year());
    return text;
}
}

QString FormatLastSeen(const QDateTime& moment)
{
    if (!moment.isValid())
        return {};
    const QDateTime now = Now();
    const qint64 minutes = std::abs(moment.msecsTo(now)) / 60000;
    if (minutes == 0)
        return QStringLiteral("только что");
    if (minutes <= 59)
        return QStringLiteral("%1 %2 назад")
            .arg(minutes)
            .arg(PluralWord(int(minutes), QStringLiteral("минут"), QStringLiteral("у"),
                            QStringLiteral("ы"), QString()));
    return DayText(moment, now) + QStringLiteral(" в ") + moment.toString(QStringLiteral("HH:mm"));
}
