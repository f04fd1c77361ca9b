#include "PeopleFixture.h"

#include "fakes/FakeHttpsServer.h"
#include "fakes/TestPictures.h"
#include "net/VKHttp.h"
#include "support/DateTimeText.h"
#include "support/StdAvatars.h"
#include "support/IniFile.h"
#include "vk/UserListStore.h"
#include "vk/VKUsers.h"

#include <QDir>
#include <QFileInfo>
#include <ctime>

namespace {
QString Answer(const QString& people)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<response list=\"true\">" + people + "</response>";
}

QString PersonXml(int uid, const QString& extra = "<online>0</online>")
{
    return QString("<user><uid>%1</uid><first_name>Имя%1</first_name><last_name>Фамилия</last_name>%2</user>")
        .arg(uid)
        .arg(extra);
}

QString ErrorAnswer(int code, const QString& message)
{
    return QString("<?xml version=\"1.0\" encoding=\"utf-8\"?><error><error_code>%1</error_code>"
                   "<error_msg>%2</error_msg><request_params list=\"true\"><param><key>oauth</key>"
                   "<value>1</value></param></request_params></error>")
        .arg(code)
        .arg(message);
}

// The message a call raises; empty when it raises nothing.
QString ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& error) {
        return GetHttpErrorText(error);
    }
    return {};
}

class UsersAnswerTest : public PeopleFixture {
protected:
    TVKUsers List(std::initializer_list<int> ids)
    {
        TVKUsers list;
        for (int id : ids) {
            auto user = PeopleFixture::Person(id);
            user->TakeRecord();
            list.Add(user);
        }
        return list;
    }
    TVKStoredUser& At(const TVKUsers& list, int index)
    {
        return static_cast<TVKStoredUser&>(*list.GetUser(index));
    }
};
}

TEST_F(UsersAnswerTest, OnePersonAnswers)
{
    struct Case { QString xml; QString error; };
    const Case cases[] = {
        {ErrorAnswer(113, "Invalid user id"), "Неправильный адрес пользователя"},
        {ErrorAnswer(5, "User authorization failed"), "User authorization failed"},
        {"<response><user><uid>1</uid>", "Это не страница пользователя ВКонтакте либо сайт дает неверный ответ"},
        {"", "Это не страница пользователя ВКонтакте либо сайт дает неверный ответ"},
        {"<response/>", "Сайт не прислал данных о пользователе"},
        {Answer("<user><uid>1</uid><first_name>A</first_name></user>"), "Такого пользователя не существует"},
    };
    for (const Case& c : cases) {
        auto user = std::make_shared<TVKUser>();
        EXPECT_EQ(ErrorOf([&] { user->LoadFromXML(c.xml, CurrentHttpOptions()); }), c.error) << c.xml.toStdString();
    }
}

TEST_F(UsersAnswerTest, OnePersonAnswerFillsFromItsFirstPerson)
{
    auto user = std::make_shared<TVKUser>();
    user->LoadFromXML(Answer(PersonXml(10, "<screen_name>ten</screen_name><online>1</online>"
                                        "<online_mobile>1</online_mobile>") + PersonXml(20)), CurrentHttpOptions());
    EXPECT_EQ(user->ProfileID(), 10);
    EXPECT_EQ(user->Name(), "Имя10 Фамилия");
    EXPECT_EQ(user->PageID(), "ten");
    EXPECT_TRUE(user->Online());
    EXPECT_TRUE(user->OnlineMobile());
    EXPECT_EQ(user->LastOnline(), FNow);
}

TEST_F(UsersAnswerTest, ErrorOf113IsPlainForSeveralPeople)
{
    const TVKUsers list = List({1, 2});
    EXPECT_EQ(ErrorOf([&] { list.LoadFromXML(ErrorAnswer(113, "Invalid user id"), CurrentHttpOptions()); }), "Invalid user id");
}

TEST_F(UsersAnswerTest, ProfileStates)
{
    const QString photo = "<photo_50>https://cs.vk.me/p.jpg</photo_50>";
    struct Case { QString extra; TProfileState state; QString avatar; };
    const Case cases[] = {
        {photo, psNormal, "https://cs.vk.me/p.jpg"},
        {photo + "<hidden>1</hidden>", psHidden, ""},
        {photo + "<deactivated>deleted</deactivated>", psDeleted, ""},
        {photo + "<deactivated>banned</deactivated>", psBanned, ""},
        {photo + "<hidden>1</hidden><deactivated>banned</deactivated>", psHidden, ""},
    };
    for (const Case& c : cases) {
        const TVKUsers list = List({3});
        At(list, 0).SetAutoLoadAvatar(false);
        list.LoadFromXML(Answer(PersonXml(3, c.extra + "<online>0</online>")), CurrentHttpOptions());
        EXPECT_EQ(At(list, 0).ProfileState(), c.state) << c.extra.toStdString();
        EXPECT_EQ(At(list, 0).Avatar().Url(), c.avatar) << c.extra.toStdString();
        EXPECT_EQ(At(list, 0).PageID(), "id3");
    }
}

TEST_F(UsersAnswerTest, LastSeenAndOnline)
{
    const TVKUsers list = List({1, 2, 3});
    const QDateTime before = FNow.addDays(-3);
    for (const auto& user : list)
        user->SetLastOnline(before);
    list.LoadFromXML(Answer(PersonXml(1, "<online>0</online>") + PersonXml(2, "<online>1</online>")
                            + PersonXml(3, "<online>0</online><last_seen><time>1785938400</time></last_seen>")), CurrentHttpOptions());
    EXPECT_EQ(At(list, 0).LastOnline(), before);
    EXPECT_FALSE(At(list, 0).Online());
    EXPECT_EQ(At(list, 1).LastOnline(), FNow);
    EXPECT_TRUE(At(list, 1).Online());
    EXPECT_EQ(At(list, 2).LastOnline(), QDateTime::fromSecsSinceEpoch(1785938400, Qt::UTC).toLocalTime());
}

TEST_F(UsersAnswerTest, MatchingByProfileId)
{
    const TVKUsers list = List({5, 5, 0, 9});
    At(list, 3).SetOnline(true);
    list.LoadFromXML(Answer(PersonXml(5, "<online>1</online>") + PersonXml(0, "<online>1</online>")), CurrentHttpOptions());
    EXPECT_TRUE(At(list, 0).Online());
    EXPECT_TRUE(At(list, 1).Online());
    EXPECT_EQ(At(list, 1).Name(), "Имя5 Фамилия");
    EXPECT_EQ(At(list, 2).Name(), ""); // id 0 is nobody's
    EXPECT_TRUE(At(list, 3).Online()); // not in the answer: untouched
    EXPECT_EQ(At(list, 3).Name(), "");
    EXPECT_TRUE(At(list, 0).StateChanged());
    EXPECT_FALSE(At(list, 3).StateChanged());
}

// Someone online gets a new last-seen time at every refresh; that alone is written at most once
// a minute, at once when they go offline, and with any other change at once.
TEST_F(UsersAnswerTest, LastSeenOfPeopleOnlineIsWrittenAtMostOnceAMinute)
{
    const TVKUsers list = List({1, 2});
    const QString online = UsersDir() + "1.ini";
    const QString offline = UsersDir() + "2.ini";
    const auto answer = [](const char* first, const char* name) {
        return Answer(QString("<user><uid>1</uid><first_name>%1</first_name><last_name>Фамилия</last_name>"
                              "<online>%2</online></user>")
                          .arg(name, first)
                      + PersonXml(2, "<online>0</online>"));
    };
    list.LoadFromXML(answer("1", "Имя1"), CurrentHttpOptions());
    ASSERT_TRUE(QFile::exists(online));
    ASSERT_TRUE(QFile::exists(offline)); // their names came with the first answer
    struct Step { int seconds; const char* online; const char* name; bool written; };
    const Step steps[] = {
        {10, "1", "Имя1", false}, {50, "1", "Имя1", false}, {61, "1", "Имя1", true},
        {70, "1", "Иван", true}, {80, "1", "Иван", false}, {90, "0", "Иван", true}, {100, "0", "Иван", false},
    };
    const QDateTime start = FNow;
    for (const Step& step : steps) {
        QFile::remove(online);
        QFile::remove(offline);
        FNow = start.addSecs(step.seconds);
        list.LoadFromXML(answer(step.online, step.name), CurrentHttpOptions());
        EXPECT_EQ(QFile::exists(online), step.written) << step.seconds;
        EXPECT_FALSE(QFile::exists(offline)) << step.seconds;
        EXPECT_EQ(At(list, 0).Changed(), step.online == QStringLiteral("1") && !step.written) << step.seconds;
    }
}

// What waited to be written is written when the list is saved at the end.
TEST_F(UsersAnswerTest, WaitingLastSeenIsWrittenWhenChangedPeopleAreSaved)
{
    const TVKUsers list = List({1, 2});
    const QString answer = Answer(PersonXml(1, "<online>1</online>") + PersonXml(2, "<online>0</online>"));
    list.LoadFromXML(answer, CurrentHttpOptions());
    FNow = FNow.addSecs(10);
    list.LoadFromXML(answer, CurrentHttpOptions());
    QFile::remove(UsersDir() + "2.ini");
    SaveUsers(list, true);
    EXPECT_EQ(TIniFile(ReadFile(UsersDir() + "1.ini")).ReadString("User", "LastOnline", ""), DateTimeToText(FNow));
    EXPECT_FALSE(QFile::exists(UsersDir() + "2.ini"));
    EXPECT_FALSE(At(list, 0).Changed());
}

TEST_F(UsersAnswerTest, SaveFailureFailsTheRefresh)
{
    QDir().mkpath(FDir);
    WriteFile(FDir + "/Users", "a file where the directory should be");
    const TVKUsers list = List({1});
    EXPECT_FALSE(ErrorOf([&] { list.LoadFromXML(Answer(PersonXml(1, "<online>1</online>")), CurrentHttpOptions()); }).isEmpty());
    EXPECT_TRUE(At(list, 0).Online()); // applied before the save failed
}

TEST_F(UsersAnswerTest, MalformedAnswersGiveErrorsNotCrashes)
{
    QString deep;
    for (int i = 0; i < 10000; ++i)
        deep += "<a>";
    struct Case { const char* name; QString xml; };
    const Case cases[] = {
        {"truncated", Answer(PersonXml(1)).left(60)},
        {"letters in uid", Answer("<user><uid>12x</uid><first_name>A</first_name><last_name>B</last_name></user>")},
        {"uid too large", Answer(PersonXml(1).replace("<uid>1</uid>", "<uid>99999999999999999999</uid>"))},
        {"letters in time", Answer(PersonXml(1, "<online>0</online><last_seen><time>soon</time></last_seen>"))},
        {"time too large", Answer(PersonXml(1, "<online>0</online><last_seen><time>1e30</time></last_seen>"))},
        {"time beyond the calendar", Answer(PersonXml(1, "<last_seen><time>999999999999999</time></last_seen>"))},
        {"deep nesting", deep},
        {"empty", ""},
        {"binary", QString::fromLatin1(QByteArray(200, '\x01'))},
    };
    for (const Case& c : cases) {
        const TVKUsers list = List({1});
        EXPECT_FALSE(ErrorOf([&] { list.LoadFromXML(c.xml, CurrentHttpOptions()); }).isEmpty()) << c.name;
        auto one = std::make_shared<TVKUser>();
        EXPECT_FALSE(ErrorOf([&] { one->LoadFromXML(c.xml, CurrentHttpOptions()); }).isEmpty()) << c.name;
    }
}

TEST_F(UsersAnswerTest, ChangedPictureAddressIsDownloadedAndFailuresAreSwallowed)
{
    TFakeHttpsServer server;
    server.On("/red.png", ::Answer(200, PngBytes(Qt::red)));
    TVKUser::SetDefaultImageList(LoadStdAvatars());
    const TVKUsers list = List({4, 6});
    TVKUser::SetDefaultImageList({});
    const QString red4 = "<photo_50>" + server.Url("/red.png") + "</photo_50><online>0</online>";
    const QString missing6 = "<photo_50>" + server.Url("/gone.png") + "</photo_50><online>0</online>";
    list.LoadFromXML(Answer(PersonXml(4, red4) + PersonXml(6, missing6)), CurrentHttpOptions());
    EXPECT_EQ(At(list, 0).Avatar().Picture().Image().pixelColor(5, 5), QColor(Qt::red));
    EXPECT_TRUE(QFile::exists(Settings->AvatarsPath() + "4.png"));
    EXPECT_TRUE(At(list, 1).Avatar().Picture().IsEmpty()); // a failed download keeps what was shown
    // The same address again: no new download.
    list.LoadFromXML(Answer(PersonXml(4, red4)), CurrentHttpOptions());
    EXPECT_EQ(server.Requests().size(), 2u);
}

// The last second a date-time text can hold in UTC is already past it east of UTC: such a time
// fails as any time out of range does, and the person keeps what it had.
TEST_F(UsersAnswerTest, LastSeenBeyondTheCalendarInLocalTimeIsRefused)
{
    const QByteArray oldZone = qgetenv("TZ");
    qputenv("TZ", "Europe/Moscow");
    tzset();
    struct Case { const char* seconds; bool accepted; };
    for (const Case& c : {Case {"253402300799", false}, Case {"253402289999", true}}) {
        EXPECT_EQ(ErrorOf([&] { UnixTimeToLocal(c.seconds); }).isEmpty(), c.accepted) << c.seconds;
        if (c.accepted) {
            EXPECT_EQ(DateTimeToText(UnixTimeToLocal(c.seconds)), "31.12.9999 23:59:59");
        }
    }
    const TVKUsers list = List({1});
    const QString answer = Answer(PersonXml(1, "<online>0</online><last_seen><time>253402300799</time></last_seen>"));
    EXPECT_FALSE(ErrorOf([&] { list.LoadFromXML(answer, CurrentHttpOptions()); }).isEmpty());
    EXPECT_FALSE(At(list, 0).LastOnline().isValid());
    if (oldZone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", oldZone);
    tzset();
}
