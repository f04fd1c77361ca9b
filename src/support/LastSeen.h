#pragma once

#include <QDateTime>
#include <QString>

// Stem followed by the Russian ending for one, few or many.
QString PluralWord(int count, const QString& stem, const QString& one, const QString& few,
                   const QString& many);

// Russian "last seen" text for a past local moment; an invalid moment means "not set".
QString FormatLastSeen(const QDateTime& moment);
