#pragma once

#include <QDateTime>
#include <QString>

// Date-times in INI files: written as "05.08.2026 14:03:07" (the Windows program's Russian form,
// which reads back to the second whatever the locale); read in that form, its variants, ISO, or
// the system locale's short date and long time. Invalid means "not set".
QString DateTimeToText(const QDateTime& moment);
QDateTime TextToDateTime(const QString& text);
