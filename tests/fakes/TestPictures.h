#pragma once

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <string>

// A square PNG of one colour, as a picture server sends it.
inline std::string PngBytes(QColor colour, int size = 50)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}
