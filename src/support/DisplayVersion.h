#pragma once

#include <QString>

// "2.3.1.0" gives "2.3.1"; a version without "." gives empty text.
QString CutLastVersionComponent(const QString& version);
// The running program's version without its last component.
QString DisplayVersion();
