#pragma once

#include <QByteArray>
#include <QString>

// Files brought over from the Windows program may be in its Cyrillic code page.
QString DecodeCp1251(const QByteArray& bytes);
