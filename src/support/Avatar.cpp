#include "Avatar.h"


#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>

QString UrlExtension(const QString& url)
{
    const QString trimmed = url.trimmed();
    const qsizetype dot = trimmed.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    const QString extension = trimmed.mid(dot);
    if (extension.contains(QLatin1Char('\\')) || extension.contains(QLatin1Char(':')))
        return {};
    return extension;
}

QString TAvatar::Url() const
{
    return FUrl;
}

void TAvatar::SetUrl(const QString& url)
{
    FUrl = url;
}

TDefaultImageList TAvatar::DefaultImageList() const
{
    return FDefaultImageList;
}

void TAvatar::SetDefaultImageList(TDefaultImageList list)
{
    FDefaultImageList = std::move(list);
}

int TAvatar::DefaultImageIndex() const
{
    return FUser ? int(FUser->ProfileState()) : 0;
}

QString TAvatar::Filename() const
{
    const int profile = FUser ? FUser->ProfileID() : 0;
    return FDirectory + QString::number(profile) + UrlExtension(Url());
}

TNicePicture TAvatar::Picture() const
{
    if (!FPendingFile.isEmpty()) {
        const QString file = std::exchange(FPendingFile, QString());
        try {
            TNicePicture picture;
            picture.LoadFromFile(file);
            FPicture = picture;
        } catch (...) {
            // the default picture stays
        }
    }
    return FPicture;
}

void TAvatar::SetPicture(TNicePicture picture)
{
    FPendingFile.clear();
    FPicture = std::move(picture);
}

TNicePicture TAvatar::DefaultImage() const
{
    const TDefaultImageList list = DefaultImageList();
    const int index = DefaultImageIndex();
    return list && index < list->size() ? TNicePicture(list->at(index)) : TNicePicture();
}

void TAvatar::LoadDefaultImage()
{
    SetPicture(DefaultImage());
}

void TAvatar::LoadFromFile()
{
    LoadDefaultImage();
    const QString file = Filename();
    if (!QFile::exists(file))
        return;
    TNicePicture picture;
    picture.LoadFromFile(file); // on failure the default picture stays
    SetPicture(picture);
}

void TAvatar::LoadFromFileLater()
{
    LoadDefaultImage();
    const QString file = Filename();
    if (QFile::exists(file))
        FPendingFile = file;
}

TAvatarResult DecodeAvatar(const TNicePicture& fallback, QIODevice& stream)
{
    TAvatarResult result;
    TNicePicture picture;
    try {
        picture.LoadFromStream(stream);
        result.Picture = picture;
    } catch (const EInvalidGraphic&) {
        result.Picture = fallback;
        result.Error = std::current_exception();
    } catch (...) {
        result.Picture = picture; // whatever the failed decoder left: usually nothing
        result.Error = std::current_exception();
    }
    return result;
}

void TAvatar::LoadFromStream(QIODevice& stream)
{
    Apply(DecodeAvatar(DefaultImage(), stream));
}

TAvatarRequest TAvatar::Request() const
{
    return {Url(), Filename(), FSaveToDisk, DefaultImage()};
}

void TAvatar::Apply(const TAvatarResult& result)
{
    if (result.Picture)
        SetPicture(*result.Picture);
    if (result.Error)
        std::rethrow_exception(result.Error);
}

void TAvatar::EraseFile()
{
    const QString file = Filename();
    if (QFile::exists(file))
        QFile::remove(file);
    SetUrl(QString());
}

void TAvatar::Draw(QPainter& painter, int x, int y, int size) const
{
    // A person never given a picture (a new one without a photo address) shows the default one.
    const TNicePicture own = Picture();
    const TNicePicture picture = own.IsEmpty() ? DefaultImage() : own;
    if (picture.IsEmpty())
        return;
    if (size == -1 || size == picture.Width()) {
        painter.drawImage(x, y, picture.Image());
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(x, y, size, size), picture.Image());
    painter.restore();
}

void TAvatar::AssignTo(TAvatar& dest) const
{
    if (&dest == this)
        return;
    dest.SetPicture(Picture());
    dest.SetUrl(Url());
    dest.SetDefaultImageList(DefaultImageList());
}
