#include "ApiFixture.h"

#include "support/TextUtils.h"
#include "vk/UpdateUsersThread.h"

#include <QElapsedTimer>

namespace {
class RefreshWorkerTest : public ApiFixture {
protected:
    // Listed people whose events are written into FEvents.
    TVKUsers Listed(std::initializer_list<int> ids)
    {
        TVKUsers list;
        for (int id : ids) {
            auto user = Person(id);
            user->SetPageID("id" + QString::number(id));
            user->OnUpdated = [this](TVKUser& u) { FEvents.push_back("updated " + u.PageID()); };
            user->OnError = [this](TVKUser& u) { FEvents.push_back("error " + u.PageID() + ": " + u.ErrorText()); };
            list.Add(user);
        }
        return list;
    }
    void Refresh(const TVKUsers& list)
    {
        TUpdateUsersThread refresh(list, CurrentApiAccess());
        refresh.OnUpdated = [this](const TVKUsers& users) { FEvents.push_back(QString("list updated %1").arg(users.Count())); };
        refresh.OnError = [this](const TVKUsers& users) { FEvents.push_back(QString("list error %1").arg(users.Count())); };
        refresh.Start();
        ASSERT_TRUE(WaitForWorkers());
    }
    static TVKStoredUser& At(const TVKUsers& list, int index)
    {
        return static_cast<TVKStoredUser&>(*list.GetUser(index));
    }

    QStringList FEvents;
};
}

TEST_F(RefreshWorkerTest, SeveralPeopleAreFilledAndDeliveredInOrder)
{
    TFakePerson mobile = FakePerson(2, true);
    mobile.OnlineMobile = true;
    mobile.ScreenName = "two";
    FApi.SetPeople({FakePerson(1), mobile, FakePerson(3, true)});
    const TVKUsers list = Listed({1, 2, 3});
    Refresh(list);
    EXPECT_EQ(FEvents, QStringList({"updated id1", "updated two", "updated id3", "list updated 3"}));
    EXPECT_FALSE(At(list, 0).Online());
    EXPECT_TRUE(At(list, 1).Online());
    EXPECT_TRUE(At(list, 1).OnlineMobile());
    EXPECT_EQ(At(list, 1).Name(), "Имя2 Фамилия");
    EXPECT_TRUE(At(list, 2).HasBeenUpdated());
    EXPECT_TRUE(At(list, 2).StateChanged());
    const std::vector<TFakeRequest> requests = FApi.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].Target.substr(0, requests[0].Target.find("&access_token=")),
              "/method/users.get.xml?uids=id1,id2,id3&fields=online,photo_50,screen_name,last_seen,online_mobile");
}

TEST_F(RefreshWorkerTest, RequestIsSignedWithTheAccount)
{
    struct Case { QString token, secret; };
    for (const Case& c : {Case {"", ""}, Case {"t0k3n", "s3cr3t"}}) {
        AuthInfo->SetToken(c.token);
        AuthInfo->SetSecret(c.secret);
        FApi.SetPeople({FakePerson(1), FakePerson(2)});
        Refresh(Listed({1, 2}));
        const QString target = QString::fromStdString(FApi.Requests().back().Target);
        const qsizetype sig = target.indexOf("&sig=");
        ASSERT_GT(sig, 0);
        const QString signedPart = target.left(sig);
        EXPECT_TRUE(signedPart.endsWith("&access_token=" + c.token));
        EXPECT_EQ(target.mid(sig + 5), MD5Hex(signedPart + c.secret, true));
        EXPECT_EQ(target.mid(sig + 5).size(), 32);
    }
}

TEST_F(RefreshWorkerTest, PersonOmittedFromTheAnswerKeepsItsStateAndIsStillUpdated)
{
    FApi.SetPeople({FakePerson(1, true)});
    const TVKUsers list = Listed({1, 2});
    At(list, 1).SetOnline(true);
    Refresh(list);
    EXPECT_TRUE(At(list, 1).Online());
    EXPECT_EQ(FEvents, QStringList({"updated id1", "updated id2", "list updated 2"}));
}

TEST_F(RefreshWorkerTest, FailuresBeforeParsingDeliverOnlyTheError)
{
    FApi.SetMode(TFakeVkApi::TMode::Empty);
    const TVKUsers list = Listed({1, 2});
    At(list, 0).SetOnline(true);
    Refresh(list);
    EXPECT_EQ(FEvents, QStringList({"error id1: Empty response", "error id2: Empty response", "list error 2"}));
    EXPECT_FALSE(At(list, 0).Online());
    EXPECT_FALSE(At(list, 0).HasBeenUpdated());

    FEvents.clear();
    TDeploymentValues deployment = Deployment();
    deployment.ApiHost = "api.nonexistent.invalid";
    Settings->SetDeployment(deployment);
    Refresh(list);
    const QString text = "Не удалось подключиться к сайту. Проверьте подключение к интернету или попробуйте позже";
    EXPECT_EQ(FEvents, QStringList({"error id1: " + text, "error id2: " + text, "list error 2"}));
}

TEST_F(RefreshWorkerTest, AnswerThatFailsToParseDeliversTheErrorThenTheUpdate)
{
    FApi.SetMode(TFakeVkApi::TMode::Garbage);
    const TVKUsers list = Listed({1, 2});
    Refresh(list);
    ASSERT_EQ(FEvents.size(), 6);
    EXPECT_TRUE(FEvents[0].startsWith("error id1: "));
    EXPECT_EQ(FEvents[2], "list error 2");
    EXPECT_EQ(FEvents.mid(3), QStringList({"updated id1", "updated id2", "list updated 2"}));
}

TEST_F(RefreshWorkerTest, OnePersonListIsReadAsAOnePersonAnswer)
{
    FApi.SetPeople({FakePerson(9, true)});
    const TVKUsers list = Listed({9});
    Refresh(list);
    EXPECT_EQ(FEvents, QStringList({"updated id9", "list updated 1"}));
    EXPECT_TRUE(At(list, 0).Online());

    FEvents.clear();
    FApi.SetPeople({});
    Refresh(list);
    EXPECT_EQ(FEvents, QStringList({"error id9: Неправильный адрес пользователя", "list error 1", "updated id9",
                                    "list updated 1"}));
}

TEST_F(RefreshWorkerTest, HandlerErrorBecomesTheRefreshError)
{
    FApi.SetPeople({FakePerson(1), FakePerson(2)});
    const TVKUsers list = Listed({1, 2});
    TUpdateUsersThread refresh(list, CurrentApiAccess());
    refresh.OnUpdated = [](const TVKUsers&) { throw Exception("handler failed"); };
    refresh.OnError = [this](const TVKUsers&) { FEvents.push_back("list error"); };
    refresh.Start();
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(FEvents, QStringList({"updated id1", "updated id2", "error id1: handler failed",
                                    "error id2: handler failed", "list error"}));
}

TEST_F(RefreshWorkerTest, SingleLookupResolvesAPageOnce)
{
    TFakePerson person = FakePerson(12345);
    person.ScreenName = "some.page";
    FApi.SetPeople({person});
    auto user = std::make_shared<TVKUser>();
    int updates = 0;
    int errors = 0;
    user->OnUpdated = [&](TVKUser&) { ++updates; };
    user->OnError = [&](TVKUser&) { ++errors; };
    user->UpdateInfo("id12345", CurrentApiAccess());
    EXPECT_TRUE(user->Loading());
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(errors, 0);
    EXPECT_FALSE(user->Loading());
    EXPECT_EQ(user->PageID(), "some.page");
    EXPECT_EQ(user->ProfileID(), 12345);

    user->UpdateInfo("nobody", CurrentApiAccess());
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(updates, 1); // the error ends the lookup: no update follows
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(user->ErrorText(), "Неправильный адрес пользователя");
}

TEST_F(RefreshWorkerTest, CancelledLookupFiresNothingAndASecondDoesNotStart)
{
    FApi.SetPeople({FakePerson(5)});
    FApi.SetDelay(300);
    auto user = std::make_shared<TVKUser>();
    int events = 0;
    user->OnUpdated = [&](TVKUser&) { ++events; };
    user->OnError = [&](TVKUser&) { ++events; };
    user->UpdateInfo("id5", CurrentApiAccess());
    user->UpdateInfo("other", CurrentApiAccess());
    EXPECT_EQ(ThreadManager->Count(), 1);
    EXPECT_EQ(user->PageID(), "id5");
    user->StopLoading();
    EXPECT_FALSE(user->Loading());
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(events, 0);
    EXPECT_LE(FApi.Requests().size(), 1u); // a cancelled transfer is abandoned as soon as seen
}

TEST_F(RefreshWorkerTest, KillingAllWhileARefreshWaitsReturnsAtOnce)
{
    FApi.SetPeople({FakePerson(1, true), FakePerson(2, true)});
    FApi.SetDelay(3000);
    const TVKUsers list = Listed({1, 2});
    TUpdateUsersThread refresh(list, CurrentApiAccess());
    refresh.OnUpdated = [this](const TVKUsers&) { FEvents.push_back("list updated"); };
    refresh.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    QElapsedTimer timer;
    timer.start();
    ThreadManager->TerminateAll();
    ThreadManager->KillAll(0);
    EXPECT_LT(timer.elapsed(), 100);
    EXPECT_EQ(ThreadManager->Count(), 0);
    // The worker ends on its own, quickly, and delivers nothing.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    QCoreApplication::processEvents();
    EXPECT_TRUE(FEvents.isEmpty());
    EXPECT_FALSE(At(list, 0).Online());
    EXPECT_EQ(At(list, 0).Name(), "");
}
