#include "AvatarDownload.h"

#include "base/FileIO.h"
#include "net/VKHttp.h"

#include <QBuffer>
#include <QDir>

TAvatarResult FetchAvatar(const TAvatarRequest& request, const THttpOptions& http)
{
    if (request.Url.isEmpty())
        return {request.Default, nullptr};
    try {
        // A "/" after the last dot is no extension: never a directory of its own in the cache.
        if (request.SaveToDisk && UrlExtension(request.Url).contains(QLatin1Char('/')))
            throw Exception(QStringLiteral("Cannot create file \"%1\"").arg(QDir::toNativeSeparators(request.Filename)));
        TVKHttp client(http);
        client.SetMaxBodySize(PictureBodyLimit);
        QByteArray body = client.Get(request.Url);
        if (request.SaveToDisk)
            WriteFileAtomic(request.Filename, body);
        QBuffer stream(&body);
        stream.open(QIODevice::ReadOnly);
        return DecodeAvatar(request.Default, stream);
    } catch (...) {
        return {std::nullopt, std::current_exception()};
    }
}
