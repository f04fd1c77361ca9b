#pragma once

#include "NicePicture.h"
#include "ProfiledUser.h"
#include "net/VKHttp.h"

#include <QImage>
#include <QList>
#include <QString>
#include <memory>
#include <optional>

class QIODevice;
class QPainter;

// The default pictures, indexed by profile state.
using TDefaultImageList = std::shared_ptr<const QList<QImage>>;

// What a download needs, taken from the avatar so that a worker can fetch without touching it.
struct TAvatarRequest {
    QString Url;
    QString Filename;
    bool SaveToDisk = false;
    TNicePicture Default;
};

// What a download leaves: the picture to show (none: keep the previous one) and its error.
struct TAvatarResult {
    std::optional<TNicePicture> Picture;
    std::exception_ptr Error;
};

// A person's small picture: its address, its cached copy on disk, the default picture of the
// owner's profile state when there is none. Main thread only: a download takes a request and
// hands back a result.
class TAvatar {
public:
    TAvatar() = default;
    TAvatar(const TAvatar&) = delete;
    TAvatar& operator=(const TAvatar&) = delete;

    QString Url() const;
    void SetUrl(const QString& url);
    const TProfiledUser* User() const { return FUser; }
    void SetUser(const TProfiledUser* user) { FUser = user; }
    TDefaultImageList DefaultImageList() const;
    void SetDefaultImageList(TDefaultImageList list);
    int DefaultImageIndex() const;
    // The folder of the cached pictures.
    void SetDirectory(const QString& dir) { FDirectory = dir; }
    bool SaveToDisk() const { return FSaveToDisk; }
    void SetSaveToDisk(bool value) { FSaveToDisk = value; }

    // The folder, the owner's profile id and the extension of the address.
    QString Filename() const;
    TNicePicture Picture() const;

    void LoadFromFile();
    // As LoadFromFile, but the file is decoded when the picture is first wanted: a row nobody
    // scrolls to costs nothing. One that cannot be decoded shows the default picture.
    void LoadFromFileLater();
    void LoadFromStream(QIODevice& stream);
    // A download in three steps: the request taken here, fetched on a worker, applied here.
    TAvatarRequest Request() const;
    // Shows the result's picture, then raises its error.
    void Apply(const TAvatarResult& result);
    void EraseFile();
    // Unscaled when size is -1 or the picture's width, smoothly scaled to size x size otherwise.
    void Draw(QPainter& painter, int x, int y, int size) const;
    // Copies picture, address and default pictures; dest keeps its owner and SaveToDisk.
    void AssignTo(TAvatar& dest) const;

private:
    TNicePicture DefaultImage() const;
    void LoadDefaultImage();
    void SetPicture(TNicePicture picture);

    mutable TNicePicture FPicture;
    mutable QString FPendingFile; // decoded into FPicture when first wanted
    QString FUrl;
    TDefaultImageList FDefaultImageList;
    const TProfiledUser* FUser = nullptr;
    bool FSaveToDisk = false;
    QString FDirectory;
};

// The default picture first, then the data decoded by content; see Apply for what shows after.
TAvatarResult DecodeAvatar(const TNicePicture& fallback, QIODevice& stream);

// The extension of a picture address: from its last "." on, unless a backslash or colon follows.
QString UrlExtension(const QString& url);
