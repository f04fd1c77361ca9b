#pragma once

#include "base/Exception.h"

#include <QImage>
#include <QString>

class QIODevice;

// No picture format was recognised in the data.
class EInvalidGraphic : public Exception {
public:
    EInvalidGraphic() : Exception(QStringLiteral("Invalid image")) {}
};

// A decoded picture. Loading from a stream tells the format by content, not by name.
class TNicePicture {
public:
    TNicePicture() = default;
    explicit TNicePicture(QImage image) : FImage(std::move(image)) {}

    bool IsEmpty() const { return FImage.isNull(); }
    int Width() const { return FImage.width(); }
    int Height() const { return FImage.height(); }
    const QImage& Image() const { return FImage; }

    // Raises "Invalid image" when no format is recognised; a decoder failure leaves it empty
    // and raises the decoder's error.
    void LoadFromStream(QIODevice& stream);
    // Picks the decoder by the file's extension, as a file normally is.
    void LoadFromFile(const QString& path);

private:
    QImage FImage;
};
