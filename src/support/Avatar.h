#pragma once

#include "Guarded.h"
#include "NicePicture.h"
#include "ProfiledUser.h"
#include "vk/VKHttp.h"

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
    THttpOptions Http;
};

// What a download leaves: the picture to show (none: keep the previous one) and its error.
struct TAvatarResult {
    std::optional<TNicePicture> Picture;
    std::exception_ptr Error;
};

// A person's small picture: its address, its cached copy on disk, the default picture of the
// owner's profile state when there is none. The picture may be replaced on a worker while the
// main thread draws it: it is swapped under a lock and drawn from a copy.
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
    bool SaveToDisk() const { return FSaveToDisk; }
    void SetSaveToDisk(bool value) { FSaveToDisk = value; }

    // Avatars directory, the owner's profile id and the extension of the address.
    QString Filename() const;
    TNicePicture Picture() const;

    void LoadFromFile();
    void LoadFromStream(QIODevice& stream);
    // Downloads the picture of Url (into the cache file when SaveToDisk); with no address the
    // default picture is shown and nothing is requested.
    void Update();
    // Update in three steps, for a download on a worker: Fetch touches nothing but the request.
    TAvatarRequest Request() const;
    static TAvatarResult Fetch(const TAvatarRequest& request);
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

    // A worker may replace these while the main thread draws.
    TGuarded<TNicePicture> FPicture;
    TGuarded<QString> FUrl;
    TGuarded<TDefaultImageList> FDefaultImageList;
    const TProfiledUser* FUser = nullptr;
    bool FSaveToDisk = false;
};

// The extension of a picture address: from its last "." on, unless a backslash or colon follows.
QString UrlExtension(const QString& url);
