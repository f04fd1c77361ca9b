#include "ApiFixture.h"

#include "support/IniFile.h"
#include "support/TextUtils.h"
#include "vk/SignApiUrl.h"

#include <QFileInfo>

using AuthInfoTest = ApiFixture;

namespace {
QString ErrorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

QString Messages(const QString& inner)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><response list=\"true\"><count>2</count>" + inner + "</response>";
}
}

TEST_F(AuthInfoTest, SigningWithoutAnAccount)
{
    const QString path = "/method/users.get.xml?uids=1";
    EXPECT_EQ(SignApiUrl(path, "", ""),
              path + "&access_token=&sig=" + MD5Hex(path + "&access_token=", true));
    EXPECT_EQ(SignApiUrl(path, "abc", "xyz"),
              path + "&access_token=abc&sig=" + MD5Hex(path + "&access_token=abcxyz", true));
}

TEST_F(AuthInfoTest, MessagesAreReadInOrder)
{
    AuthInfo->LoadMessagesFromXML(Messages("<message><uid>10</uid><body>Привет</body><title> ... </title>"
                                           "<date>1785938400</date></message>"
                                           "<message><uid>11</uid><date>1785938460</date></message>"));
    const auto& messages = AuthInfo->Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0]->Author().Name(), "10");
    EXPECT_EQ(messages[0]->Body(), "Привет");
    EXPECT_EQ(messages[0]->Title(), " ... ");
    EXPECT_EQ(messages[0]->Date(), QDateTime::fromSecsSinceEpoch(1785938400, Qt::UTC).toLocalTime());
    EXPECT_EQ(messages[1]->Author().Name(), "11");
    EXPECT_EQ(messages[1]->Body(), "");

    AuthInfo->LoadMessagesFromXML("<response><count>0</count></response>");
    EXPECT_TRUE(AuthInfo->Messages().empty());
}

TEST_F(AuthInfoTest, BadMessageAnswersFail)
{
    struct Case { QString xml; QString error; size_t kept; };
    const Case cases[] = {
        {"<response><count>1", "Получен неверный формат списка сообщений", 1},
        {Messages("<message><uid>1</uid><date>soon</date></message>"), "'soon' is not a valid integer value", 0},
        {Messages("<message><uid>1</uid></message>"), "'' is not a valid integer value", 0},
        {Messages("<message><date>1</date></message><message><date>x</date></message>"),
         "'x' is not a valid integer value", 1},
        {"<error><error_code>5</error_code><error_msg>User authorization failed</error_msg></error>",
         "User authorization failed", 0},
    };
    for (const Case& c : cases) {
        AuthInfo->LoadMessagesFromXML(Messages("<message><date>1</date></message>"));
        EXPECT_EQ(ErrorOf([&] { AuthInfo->LoadMessagesFromXML(c.xml); }), c.error) << c.xml.toStdString();
        EXPECT_EQ(AuthInfo->Messages().size(), c.kept) << c.xml.toStdString();
    }
}

TEST_F(AuthInfoTest, MessagesAreFetchedSinceTheGivenMoment)
{
    AuthInfo->SetToken("tok");
    AuthInfo->SetSecret("sec");
    EXPECT_TRUE(AuthInfo->GetMessagesUrl(FNow.addDays(-1), Deployment().ApiHost).contains("&time_offset=86400&access_token=tok&sig="));
    FApi.SetMessages({{7, "Здравствуй", "", 1785938400}});
    AuthInfo->GetUnreadMessages(FNow.addDays(-1), CurrentApiAccess());
    ASSERT_EQ(AuthInfo->Messages().size(), 1u);
    EXPECT_EQ(AuthInfo->Messages()[0]->Body(), "Здравствуй");
    EXPECT_EQ(FApi.Requests()[0].Target.rfind("/method/messages.get.xml?filters=1&fields=first_name&time_offset=86400", 0), 0u);
    FApi.SetMode(TFakeVkApi::TMode::Empty);
    EXPECT_EQ(ErrorOf([&] { AuthInfo->GetUnreadMessages(FNow, CurrentApiAccess()); }), "Empty response");
}

TEST_F(AuthInfoTest, SessionFile)
{
    const QString path = FDir + "/Auth.ini";
    AuthInfo->User()->SetProfileID(5);
    AuthInfo->User()->SetPageID("me");
    AuthInfo->User()->SetName("Я Сам");
    AuthInfo->SetToken("token");
    AuthInfo->SetSecret("secret");
    AuthInfo->Save(path, "0");
    EXPECT_EQ(QFileInfo(path).permissions() & 0x0FFF, QFileDevice::ReadUser | QFileDevice::WriteUser);
    EXPECT_EQ(ReadFile(path), "[0]\nProfileID=5\nPageID=me\nName=Я Сам\nToken=token\nSecret=secret\n");

    AuthInfo->Disconnect();
    EXPECT_FALSE(AuthInfo->Connected());
    AuthInfo->Save(path, "0");
    EXPECT_EQ(ReadFile(path), "[0]\nProfileID=0\nPageID=\nName=\nToken=\nSecret=\n");

    WriteFile(path, "[0]\nProfileID=5\nToken=\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    TAuthInfo loaded;
    loaded.Load(path, "0");
    EXPECT_TRUE(loaded.Connected());
    EXPECT_EQ(loaded.Token(), "");
    EXPECT_FALSE(QFileInfo(path).permissions() & QFileDevice::ReadOther);
}

TEST_F(AuthInfoTest, ConnectLooksUpTheAccountsOwnPage)
{
    TFakePerson me = FakePerson(77);
    me.ScreenName = "its.me";
    FApi.SetPeople({me});
    AuthInfo->User()->SetProfileID(77);
    AuthInfo->SetToken("new-token");
    int updates = 0;
    AuthInfo->User()->OnUpdated = [&](TVKUser&) { ++updates; };
    AuthInfo->Connect(CurrentApiAccess());
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(AuthInfo->User()->Name(), "Имя77 Фамилия");
    EXPECT_EQ(AuthInfo->User()->PageID(), "its.me");
    EXPECT_NE(FApi.Requests()[0].Target.find("uids=id77&"), std::string::npos);
    EXPECT_NE(FApi.Requests()[0].Target.find("&access_token=new-token&sig="), std::string::npos);
}
