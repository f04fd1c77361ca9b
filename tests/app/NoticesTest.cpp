#include "app/Notices.h"
#include "vk/VKUsers.h"

#include <gtest/gtest.h>

namespace {
TVKUsers Named(const QStringList& names, bool online = true)
{
    TVKUsers list;
    for (const QString& name : names) {
        auto user = std::make_shared<TVKUser>();
        user->SetName(name);
        user->SetOnline(online);
        list.Add(user);
    }
    return list;
}
}

TEST(Notices, JoinedNames)
{
    EXPECT_EQ(JoinUserNames(Named({})), "");
    EXPECT_EQ(JoinUserNames(Named({"Анна"})), "Анна");
    EXPECT_EQ(JoinUserNames(Named({"Анна", "Борис"})), "Анна и Борис");
    EXPECT_EQ(JoinUserNames(Named({"Анна", "Борис", "Вера"})), "Анна, Борис и Вера");
    EXPECT_EQ(JoinUserNames(Named({"А", "Б", "В", "Г"})), "А, Б, В и Г");
}

TEST(Notices, CountPhrases)
{
    struct Case { int online; int listed; const char* phrase; };
    const Case cases[] = {
        {0, 0, "В списке нет пользователей"}, {0, 3, "Онлайн никого нет"},
        {1, 3, "1 пользователь онлайн"},     {2, 3, "2 пользователя онлайн"},
        {5, 9, "5 пользователей онлайн"},    {11, 20, "11 пользователей онлайн"},
        {21, 30, "21 пользователь онлайн"},  {111, 200, "111 пользователь онлайн"},
        {112, 200, "112 пользователя онлайн"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OnlineCountPhrase(c.online, c.listed), QString::fromUtf8(c.phrase)) << c.online;
}

TEST(Notices, TrayHintListsEveryoneOnline)
{
    TVKUsers list = Named({"Анна", "Борис"});
    list.Add(Named({"Вера"}, false).GetUser(0));
    EXPECT_EQ(OnlineTrayHint(list), "2 пользователя онлайн:\r\n\r\nАнна\r\nБорис");
}

TEST(Notices, BalloonText)
{
    const TVKUsers online = Named({"Анна", "Борис"});
    const TVKUsers offline = Named({"Вера"}, false);
    const TVKUsers none;
    struct Case { const TVKUsers& in; const TVKUsers& out; bool showOn; bool showOff; QString text; };
    const Case cases[] = {
        {online, none, true, false, "Анна и Борис теперь онлайн"},
        {online, offline, true, true, "Анна и Борис теперь онлайн\r\n\r\nВера больше не онлайн"},
        {online, offline, false, true, "Вера больше не онлайн"},
        {online, offline, false, false, ""},
        {none, none, true, true, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PresenceBalloonText(c.in, c.out, c.showOn, c.showOff), c.text) << c.text.toStdString();
}

TEST(Notices, TrayIconCarriesTheCount)
{
    QImage background(16, 16, QImage::Format_ARGB32);
    background.fill(QColor(0x4A, 0x76, 0xA8));
    EXPECT_EQ(TrayIconWithCount(background, 0), background.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    for (int count : {7, 42, 150}) {
        const QImage icon = TrayIconWithCount(background, count);
        int white = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                white += qGray(icon.pixel(x, y)) > 200;
        EXPECT_GT(white, 3) << count;
        EXPECT_EQ(icon.pixelColor(0, 0), QColor(0x4A, 0x76, 0xA8)) << count; // the frame stays clear
    }
}
