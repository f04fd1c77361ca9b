#include "DateTimeText.h"

#include <QLocale>

namespace {
const QString WrittenFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");
}

QString DateTimeToText(const QDateTime& moment)
{
    return moment.isValid() ? moment.toLocalTime().toString(WrittenFormat) : QString();
}

QDateTime TextToDateTime(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    static const char* const formats[] = {
        "dd.MM.yyyy HH:mm:ss", "d.M.yyyy H:mm:ss", "d.M.yyyy H:mm", "d.M.yyyy",
        "yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm:ss", "M/d/yyyy h:mm:ss AP",
    };
    for (const char* format : formats) {
        const QDateTime moment = QDateTime::fromString(trimmed, QString::fromLatin1(format));
        if (moment.isValid())
            return moment;
    }
    const QLocale system = QLocale::system();
    return system.toDateTime(trimmed, system.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ')
                                          + system.timeFormat(QLocale::LongFormat));
}
