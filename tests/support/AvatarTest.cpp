#include "base/Thread.h"
#include "fakes/FakeHttpsServer.h"
#include "fakes/TestPictures.h"
#include "fakes/TestSettings.h"
#include "net/VKHttp.h"
#include "support/Avatar.h"
#include "support/ProgramSettings.h"
#include "support/StdAvatars.h"
#include "vk/AvatarDownload.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct TOwner : TProfiledUser {
    int Id = 42;
    TProfileState State = psNormal;
    int ProfileID() const override { return Id; }
    TProfileState ProfileState() const override { return State; }
};

class AvatarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FAvatar.SetUser(&FOwner);
        FAvatar.SetDefaultImageList(LoadStdAvatars());
        FAvatar.SetSaveToDisk(true);
        FAvatar.SetDirectory(Settings->AvatarsPath());
    }
    // Downloads and shows the avatar's picture, as a refresh does.
    static void Update(TAvatar& avatar) { avatar.Apply(FetchAvatar(avatar.Request(), CurrentHttpOptions())); }
    void Update() { Update(FAvatar); }
    QImage Shown() const { return FAvatar.Picture().Image(); }
    QImage Default(int index) const { return LoadStdAvatars()->at(index); }

    TTestSettings FSettings;
    TFakeHttpsServer FServer;
    TOwner FOwner;
    TAvatar FAvatar;
};
}

TEST_F(AvatarTest, DefaultPicturesAreTheFourShippedOnes)
{
    const TDefaultImageList list = LoadStdAvatars();
    ASSERT_EQ(list->size(), 4);
    for (const QImage& image : *list)
        EXPECT_EQ(image.size(), QSize(50, 50));
    EXPECT_NE(list->at(1), list->at(2));
}

TEST_F(AvatarTest, NoAddressShowsTheDefaultOfTheStateWithoutARequest)
{
    for (TProfileState state : {psNormal, psHidden, psDeleted, psBanned}) {
        FOwner.State = state;
        Update();
        EXPECT_EQ(Shown(), Default(state)) << int(state);
    }
    EXPECT_TRUE(FServer.Requests().empty());
    TAvatar bare;
    Update(bare);
    EXPECT_TRUE(bare.Picture().IsEmpty());
}

TEST_F(AvatarTest, CacheFileNameFollowsTheAddress)
{
    struct Case { const char* url; QString file; };
    const Case cases[] = {
        {"https://cs.vk.me/u42/abc.jpg", "42.jpg"},
        {" https://cs.vk.me/u42/abc.GIF ", "42.GIF"},
        {"https://vk.com/images/camera", "42.com/images/camera"},
        {"c:\\pictures\\a.b\\photo", "42"},
        {"", "42"},
    };
    for (const Case& c : cases) {
        FAvatar.SetUrl(c.url);
        EXPECT_EQ(FAvatar.Filename(), Settings->AvatarsPath() + c.file) << c.url;
    }
}

TEST_F(AvatarTest, DownloadIsCachedAndReloaded)
{
    const std::string png = PngBytes(Qt::red);
    FServer.On("/u42/abc.png", Answer(200, png));
    FAvatar.SetUrl(FServer.Url("/u42/abc.png"));
    Update();
    EXPECT_EQ(Shown().pixelColor(10, 10), QColor(Qt::red));
    QFile cached(Settings->AvatarsPath() + "42.png");
    ASSERT_TRUE(cached.open(QIODevice::ReadOnly));
    EXPECT_EQ(cached.readAll().toStdString(), png);

    TAvatar again;
    again.SetUser(&FOwner);
    again.SetDefaultImageList(LoadStdAvatars());
    again.SetDirectory(Settings->AvatarsPath());
    again.SetUrl(FServer.Url("/u42/abc.png"));
    again.LoadFromFile();
    EXPECT_EQ(again.Picture().Image().pixelColor(10, 10), QColor(Qt::red));
    EXPECT_EQ(FServer.Requests().size(), 1u);
}

TEST_F(AvatarTest, PicturesKeptInMemoryOnlyWriteNoFile)
{
    FServer.On("/a.png", Answer(200, PngBytes(Qt::blue)));
    FAvatar.SetSaveToDisk(false);
    FAvatar.SetUrl(FServer.Url("/a.png"));
    Update();
    EXPECT_EQ(Shown().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_FALSE(QDir(Settings->AvatarsPath()).exists());
}

TEST_F(AvatarTest, FailuresLeaveTheRightPicture)
{
    // A valid 1x1 GIF, but under 44 bytes: not recognised.
    const std::string tinyGif("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff!\xf9\x04\x01\x00\x00\x00"
                              "\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;", 43);
    FServer.On("/tiny.gif", Answer(200, tinyGif));
    FServer.On("/page.html", Answer(200, "<html>" + std::string(100, ' ') + "</html>"));
    FServer.On("/broken.jpg", Answer(200, "\xFF\xD8\xFF\xE0" + std::string(100, 'x')));
    FOwner.State = psHidden;
    enum TShown { Previous, DefaultPicture, Nothing };
    struct Case { const char* path; const char* error; TShown shown; };
    const Case cases[] = {
        {"/tiny.gif", "Invalid image", DefaultPicture},
        {"/page.html", "Invalid image", DefaultPicture},
        {"/broken.jpg", nullptr, Nothing},
        {"/missing.png", "Такая страница не найдена на сайте", Previous},
    };
    for (const Case& c : cases) {
        QByteArray green = QByteArray::fromStdString(PngBytes(Qt::green));
        QBuffer stream(&green);
        stream.open(QIODevice::ReadOnly);
        FAvatar.LoadFromStream(stream);
        FAvatar.SetUrl(FServer.Url(c.path));
        try {
            Update();
            ADD_FAILURE() << c.path << " must fail";
        } catch (const std::exception& error) {
            if (c.error) {
                EXPECT_EQ(GetHttpErrorText(error), c.error) << c.path;
            }
        }
        switch (c.shown) {
        case Previous: EXPECT_EQ(Shown().pixelColor(0, 0), QColor(Qt::green)) << c.path; break;
        case DefaultPicture: EXPECT_EQ(Shown(), Default(psHidden)) << c.path; break;
        case Nothing: EXPECT_TRUE(Shown().isNull()) << c.path; break;
        }
    }
}

TEST_F(AvatarTest, AnAddressWhoseLastDotIsInTheHostCannotBeCached)
{
    Update();
    FAvatar.SetUrl("https://vk.com/images/camera");
    EXPECT_THROW(Update(), Exception);
    EXPECT_EQ(Shown(), Default(psNormal));
    EXPECT_FALSE(QDir(Settings->AvatarsPath()).exists());
}

TEST_F(AvatarTest, CorruptOrTruncatedCacheFilesDoNotCrashTheLoad)
{
    const std::string png = PngBytes(Qt::red);
    QDir().mkpath(Settings->AvatarsPath());
    for (const QByteArray& content : {QByteArray(), QByteArray::fromStdString(png.substr(0, png.size() / 2)),
                                      QByteArray("garbage garbage garbage garbage garbage garbage")}) {
        QFile file(Settings->AvatarsPath() + "42.png");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        FAvatar.SetUrl("https://cs.vk.me/abc.png");
        EXPECT_THROW(FAvatar.LoadFromFile(), Exception);
    }
    FAvatar.SetUrl("https://cs.vk.me/abc.unknownformat");
    QFile(Settings->AvatarsPath() + "42.unknownformat").open(QIODevice::WriteOnly);
    EXPECT_THROW(FAvatar.LoadFromFile(), Exception);
    EXPECT_EQ(Shown(), Default(psNormal));
}

TEST_F(AvatarTest, EraseFileRemovesTheCacheAndForgetsTheAddress)
{
    FAvatar.SetUrl("https://cs.vk.me/abc.png");
    FAvatar.EraseFile(); // no file: only the address goes
    EXPECT_EQ(FAvatar.Url(), "");
    FServer.On("/abc.png", Answer(200, PngBytes(Qt::red)));
    FAvatar.SetUrl(FServer.Url("/abc.png"));
    Update();
    ASSERT_TRUE(QFile::exists(FAvatar.Filename()));
    const QString file = FAvatar.Filename();
    FAvatar.EraseFile();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(FAvatar.Url(), "");
}

TEST_F(AvatarTest, DrawsUnscaledAtItsWidthAndSmoothlyScaledOtherwise)
{
    Update(); // the 50 x 50 default picture
    const QImage picture = Shown().convertToFormat(QImage::Format_ARGB32);
    QImage canvas(60, 60, QImage::Format_ARGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        FAvatar.Draw(painter, 5, 5, 50);
    }
    EXPECT_EQ(canvas.copy(5, 5, 50, 50), picture);

    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        FAvatar.Draw(painter, 2, 3, 32);
    }
    const QImage expected = picture.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage drawn = canvas.copy(2, 3, 32, 32);
    int worst = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            worst = std::max(worst, std::abs(qGray(drawn.pixel(x, y)) - qGray(expected.pixel(x, y))));
    EXPECT_LE(worst, 40);
    EXPECT_EQ(canvas.pixelColor(1, 3), QColor(Qt::black));
    EXPECT_EQ(canvas.pixelColor(34, 3), QColor(Qt::black));

    TAvatar empty;
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    empty.Draw(painter, 0, 0, 50);
    EXPECT_EQ(canvas.pixelColor(10, 10), QColor(Qt::black));

    // Never given a picture, but with the default list: the default picture for the state.
    TAvatar fresh;
    fresh.SetUser(&FOwner);
    fresh.SetDefaultImageList(LoadStdAvatars());
    fresh.Draw(painter, 0, 0, 50);
    painter.end();
    EXPECT_EQ(canvas.copy(0, 0, 50, 50), picture);
}

TEST_F(AvatarTest, AssignCopiesPictureAddressAndDefaults)
{
    FServer.On("/abc.png", Answer(200, PngBytes(Qt::red)));
    FAvatar.SetUrl(FServer.Url("/abc.png"));
    Update();
    TOwner other;
    other.Id = 7;
    TAvatar copy;
    copy.SetUser(&other);
    FAvatar.AssignTo(copy);
    EXPECT_EQ(copy.Picture().Image(), Shown());
    EXPECT_EQ(copy.Url(), FAvatar.Url());
    EXPECT_EQ(copy.DefaultImageList(), FAvatar.DefaultImageList());
    EXPECT_FALSE(copy.SaveToDisk());
    EXPECT_EQ(copy.User(), &other);
}
