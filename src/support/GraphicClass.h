#pragma once

#include <QByteArray>

class QIODevice;

enum class TGraphicClass { None, TIFF, BMP, JPEG, PNG, WMF, EMF, GIF, ICO };

// The picture format told by the first bytes; at least 44 bytes are needed.
TGraphicClass DetectGraphicClass(const char* data, qsizetype size);
TGraphicClass DetectGraphicClass(const QByteArray& data);
// Examines the stream from its current position without moving it.
TGraphicClass DetectGraphicClass(QIODevice& stream);
