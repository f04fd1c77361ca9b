#include "GraphicClass.h"

#include <QBuffer>
#include <cstring>

namespace {
constexpr qsizetype MinimumSize = 44;

bool Starts(const unsigned char* data, const char* prefix, size_t length)
{
    return std::memcmp(data, prefix, length) == 0;
}
}

TGraphicClass DetectGraphicClass(const char* data, qsizetype size)
{
    if (!data || size < MinimumSize)
        return TGraphicClass::None;
    const auto* b = reinterpret_cast<const unsigned char*>(data);
    if (Starts(b, "II", 2))
        return Starts(b + 2, "\x2A\x00", 2) ? TGraphicClass::TIFF : TGraphicClass::None;
    if (Starts(b, "BM", 2))
        return TGraphicClass::BMP;
    if (Starts(b, "MM", 2))
        return Starts(b + 2, "\x00\x2A", 2) ? TGraphicClass::TIFF : TGraphicClass::None;
    if (Starts(b, "\xFF\xD8", 2))
        return TGraphicClass::JPEG;
    if (Starts(b, "\x89PNG\r\n\x1A\n", 8))
        return TGraphicClass::PNG;
    if (Starts(b, "\xD7\xCD\xC6\x9A", 4))
        return TGraphicClass::WMF;
    if (Starts(b, "\x01\x00\x00\x00", 4) && Starts(b + 40, " EMF", 4))
        return TGraphicClass::EMF;
    if (Starts(b, "GIF", 3))
        return TGraphicClass::GIF;
    if (Starts(b + 2, "\x01\x00", 2))
        return TGraphicClass::ICO;
    return TGraphicClass::None;
}

TGraphicClass DetectGraphicClass(const QByteArray& data)
{
    return DetectGraphicClass(data.constData(), data.size());
}

TGraphicClass DetectGraphicClass(QIODevice& stream)
{
    if (auto* buffer = qobject_cast<QBuffer*>(&stream)) {
        const QByteArray& all = buffer->data();
        const qsizetype position = qBound<qsizetype>(0, buffer->pos(), all.size());
        return DetectGraphicClass(all.constData() + position, all.size() - position);
    }
    return DetectGraphicClass(stream.peek(MinimumSize));
}
