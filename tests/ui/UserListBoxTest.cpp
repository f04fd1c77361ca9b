#include "vk/PeopleFixture.h"

#include "support/StdAvatars.h"
#include "ui/UserRowPainter.h"
#include "ui/VKUserListBox.h"
#include "vk/AvatarDownload.h"

#include <QApplication>
#include <QDir>
#include <QPainter>

namespace {
class UserListBoxTest : public PeopleFixture {
protected:
    std::shared_ptr<TVKStoredUser> Listed(int id, const QString& name, bool online = false)
    {
        auto user = Person(id);
        user->SetName(name);
        user->SetOnline(online);
        FList.AddUser(user);
        return user;
    }
    QStringList Names() const
    {
        QStringList names;
        for (const auto& user : FList.GetUsers())
            names.append(user->Name());
        return names;
    }
    static TUserRowIcons Icons()
    {
        return {QImage(":/icons/online.png"), QImage(":/icons/phone.png")};
    }

    TVKUserListBox FList;
};
}

TEST_F(UserListBoxTest, OnlineFirstThenNamesByCodeUnit)
{
    Listed(1, "Борис");
    Listed(2, "zed");
    Listed(3, "Zed");
    Listed(4, "Анна", true);
    Listed(5, "alpha");
    Listed(6, "Юля", true);
    FList.GetUser(4)->SetCustomName("Аааа"); // custom names do not sort
    FList.SortUsers();
    EXPECT_EQ(Names(), QStringList({"Анна", "Юля", "Zed", "alpha", "zed", "Борис"}));
    EXPECT_EQ(FList.count(), 6);
    FList.SortUsers();
    EXPECT_EQ(Names(), QStringList({"Анна", "Юля", "Zed", "alpha", "zed", "Борис"}));
}

TEST_F(UserListBoxTest, SortHandlesLargeAndEqualLists)
{
    for (int i = 0; i < 999; ++i)
        Listed(i + 1, QString("user %1").arg((i * 7919) % 500, 3, 10, QChar('0')), i % 3 == 0);
    FList.SortUsers();
    for (int i = 1; i < FList.count(); ++i)
        ASSERT_FALSE(UserComesBefore(*FList.GetUser(i), *FList.GetUser(i - 1))) << i;
}

TEST_F(UserListBoxTest, StateLine)
{
    struct Case { TProfileState state; bool online; bool updated; QDateTime seen; QString text; };
    const Case cases[] = {
        {psHidden, true, true, {}, "[страница скрыта]"},
        {psDeleted, false, false, {}, "[страница удалена]"},
        {psBanned, true, true, {}, "[страница заблокирована]"},
        {psNormal, true, false, {}, "Онлайн"},
        {psNormal, false, false, FNow, "Обновление..."},
        {psNormal, false, true, FNow.addSecs(-120), "2 минуты назад"},
        {psNormal, false, true, {}, ""},
    };
    for (const Case& c : cases) {
        TVKStoredUser user(PeopleFolders());
        user.SetProfileState(c.state);
        user.SetOnline(c.online);
        if (c.updated)
            user.DoUpdated();
        user.SetLastOnline(c.seen);
        EXPECT_EQ(UserStateText(user), c.text);
    }
}

TEST_F(UserListBoxTest, DeleteKeepsASharedPictureAndErasesTheLastOne)
{
    QDir().mkpath(Settings->AvatarsPath());
    WriteFile(Settings->AvatarsPath() + "7.jpg", "picture");
    const auto shown = Listed(7, "Семь");
    shown->Avatar().SetUrl("https://cs.vk.me/7.jpg");
    shown->Save(UsersDir() + shown->GetFilename());
    auto other = Person(7); // another live object with the same id, say a message's author
    FList.DeleteUser(0);
    EXPECT_EQ(FList.count(), 0);
    EXPECT_FALSE(QFile::exists(UsersDir() + "7.ini"));
    EXPECT_TRUE(QFile::exists(Settings->AvatarsPath() + "7.jpg"));

    FList.AddUser(shown);
    other.reset();
    FList.DeleteUser(0);
    EXPECT_FALSE(QFile::exists(Settings->AvatarsPath() + "7.jpg"));

    Listed(0, "Без номера");
    EXPECT_NO_THROW(FList.DeleteUser(0));
    EXPECT_THROW(FList.DeleteUser(0), std::out_of_range);
}

TEST_F(UserListBoxTest, RowIsLaidOutAsDesigned)
{
    TVKUser::SetDefaultImageList(LoadStdAvatars());
    auto user = Person(1);
    TVKUser::SetDefaultImageList({});
    user->SetName("Анна");
    user->SetOnline(true);
    user->SetOnlineMobile(true);
    user->Avatar().Apply(FetchAvatar(user->Avatar().Request(), {})); // the default picture
    QImage canvas(280, 66, QImage::Format_ARGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    DrawUserRow(painter, canvas.rect(), *user, false, false, false, Icons(), QFont("Tahoma", 9), QApplication::palette());
    painter.end();
    EXPECT_EQ(canvas.pixelColor(2, 2), QColor(Qt::white));
    EXPECT_EQ(canvas.pixelColor(10, 14).blue() > canvas.pixelColor(10, 14).red(), true); // the blue dot
    EXPECT_EQ(canvas.copy(22, 8, 50, 50), LoadStdAvatars()->at(psNormal).convertToFormat(QImage::Format_ARGB32));

    QImage selected(250, 44, QImage::Format_ARGB32);
    QPainter small(&selected);
    user->SetOnline(false);
    DrawUserRow(small, selected.rect(), *user, true, false, true, Icons(), QFont("Tahoma", 9), QApplication::palette());
    small.end();
    EXPECT_EQ(selected.pixelColor(2, 2), QApplication::palette().color(QPalette::Highlight));
    EXPECT_EQ(selected.pixelColor(8, 14), QApplication::palette().color(QPalette::Highlight)); // no dot offline
}
