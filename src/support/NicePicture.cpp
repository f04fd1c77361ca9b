#include "NicePicture.h"

#include "GraphicClass.h"

#include <QFileInfo>
#include <QImageReader>

namespace {
QByteArray FormatName(TGraphicClass graphic)
{
    switch (graphic) {
    case TGraphicClass::TIFF: return "tiff";
    case TGraphicClass::BMP: return "bmp";
    case TGraphicClass::JPEG: return "jpeg";
    case TGraphicClass::PNG: return "png";
    case TGraphicClass::GIF: return "gif";
    case TGraphicClass::ICO: return "ico";
    case TGraphicClass::WMF: return "wmf";
    case TGraphicClass::EMF: return "emf";
    case TGraphicClass::None: break;
    }
    return {};
}

QImage Decode(QImageReader& reader)
{
    QImage image;
    if (!reader.read(&image))
        throw Exception(reader.errorString());
    return image;
}
}

void TNicePicture::LoadFromStream(QIODevice& stream)
{
    const TGraphicClass graphic = DetectGraphicClass(stream);
    if (graphic == TGraphicClass::None)
        throw EInvalidGraphic();
    FImage = QImage();
    QImageReader reader(&stream, FormatName(graphic));
    reader.setDecideFormatFromContent(false);
    FImage = Decode(reader);
}

void TNicePicture::LoadFromFile(const QString& path)
{
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageReader::supportedImageFormats().contains(suffix))
        throw Exception(QStringLiteral("Unknown picture file extension (.%1)").arg(QString::fromLatin1(suffix)));
    FImage = QImage();
    QImageReader reader(path, suffix);
    reader.setDecideFormatFromContent(false);
    FImage = Decode(reader);
}
