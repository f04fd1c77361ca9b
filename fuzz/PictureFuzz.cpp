#include "FuzzMain.h"

#include "support/GraphicClass.h"
#include "support/NicePicture.h"

#include <QBuffer>

// Picture bytes as a download brings them: the format told by content, then decoded.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureApplication();
    QByteArray bytes = Bytes(data, size);
    DetectGraphicClass(bytes);
    QBuffer stream(&bytes);
    stream.open(QIODevice::ReadOnly);
    TNicePicture picture;
    try {
        picture.LoadFromStream(stream);
    } catch (const std::exception&) {
    }
    return 0;
}
