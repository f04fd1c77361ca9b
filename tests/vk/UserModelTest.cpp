#include "PeopleFixture.h"

#include "net/HttpErrors.h"

using UserModelTest = PeopleFixture;

TEST_F(UserModelTest, SettersMarkChangesOnlyForRealChanges)
{
    struct Case { const char* name; std::function<void(TVKStoredUser&)> change; bool changed; };
    const QDateTime seen = FNow.addDays(-1);
    const Case cases[] = {
        {"same name", [](TVKStoredUser& u) { u.SetName("Иван Петров"); }, false},
        {"name in other case", [](TVKStoredUser& u) { u.SetName("иван петров"); }, true},
        {"same id", [](TVKStoredUser& u) { u.SetProfileID(5); }, false},
        {"other id", [](TVKStoredUser& u) { u.SetProfileID(6); }, true},
        {"same page id", [](TVKStoredUser& u) { u.SetPageID("ivan"); }, false},
        {"same state", [](TVKStoredUser& u) { u.SetProfileState(psHidden); }, false},
        {"other state", [](TVKStoredUser& u) { u.SetProfileState(psNormal); }, true},
        {"earlier last seen", [&](TVKStoredUser& u) { u.SetLastOnline(seen.addSecs(-1)); }, false},
        {"same last seen", [&](TVKStoredUser& u) { u.SetLastOnline(seen); }, false},
        {"last seen not set", [](TVKStoredUser& u) { u.SetLastOnline(QDateTime()); }, false},
        {"later last seen", [&](TVKStoredUser& u) { u.SetLastOnline(seen.addSecs(1)); }, true},
        {"online flags", [](TVKStoredUser& u) { u.SetOnline(true); u.SetOnlineMobile(true); }, false},
        {"same custom name", [](TVKStoredUser& u) { u.SetCustomName("Ваня"); }, false},
        {"other custom name", [](TVKStoredUser& u) { u.SetCustomName(""); }, true},
    };
    for (const Case& c : cases) {
        TVKStoredUser user(PeopleFolders());
        user.SetName("Иван Петров");
        user.SetProfileID(5);
        user.SetPageID("ivan");
        user.SetProfileState(psHidden);
        user.SetLastOnline(seen);
        user.SetCustomName("Ваня");
        user.TakeRecord();
        c.change(user);
        EXPECT_EQ(user.Changed(), c.changed) << c.name;
    }
}

TEST_F(UserModelTest, LastOnlineMovesForwardOnly)
{
    TVKUser user;
    user.SetLastOnline(FNow);
    user.SetLastOnline(FNow.addSecs(-60));
    user.SetLastOnline(QDateTime());
    EXPECT_EQ(user.LastOnline(), FNow);
}

TEST_F(UserModelTest, PageIdAndAddressDeriveFromEachOther)
{
    TDeploymentValues deployment;
    deployment.SiteHost = "127.0.0.1:8443";
    TVKUser::SetSite(deployment);
    TVKUser user;
    user.SetPageID("durov");
    EXPECT_EQ(user.Url(), "http://127.0.0.1:8443/durov");
    TVKUser byAddress;
    byAddress.SetUrl("http://vk.com/id5");
    EXPECT_EQ(byAddress.PageID(), "id5");
    EXPECT_EQ(byAddress.Url(), "http://vk.com/id5");
    TVKUser bare;
    bare.SetUrl("some.page");
    EXPECT_EQ(bare.PageID(), "some.page");
    TVKUser::SetSite({});
}

TEST_F(UserModelTest, ErrorsGoOfflineAndKeepTheirKind)
{
    TVKUser user;
    user.SetOnline(true);
    int errors = 0;
    user.OnError = [&](TVKUser& u) {
        ++errors;
        EXPECT_EQ(&u, &user);
    };
    user.SetErrorException(std::make_exception_ptr(EHttpStatusError(404, "HTTP/1.1 404 Not Found", "")));
    user.DoError();
    EXPECT_FALSE(user.Online());
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(user.ErrorText(), "Такая страница не найдена на сайте");
    user.SetErrorException(std::make_exception_ptr(ESocketError(11001, "Host not found.")));
    EXPECT_EQ(user.ErrorText(), "Не удалось подключиться к сайту. Проверьте подключение к интернету или попробуйте позже");
}

TEST_F(UserModelTest, StopLoadingWithoutLookupChangesNothing)
{
    TVKUser user;
    int updates = 0;
    user.OnUpdated = [&](TVKUser&) { ++updates; };
    EXPECT_FALSE(user.Loading());
    user.StopLoading();
    EXPECT_FALSE(user.Loading());
    user.DoUpdated();
    EXPECT_EQ(updates, 1);
}

TEST_F(UserModelTest, StopLoadingTerminatesAStartedLookupOnly)
{
    auto control = std::make_shared<TThreadControl>();
    TVKUser user;
    user.SetThread(control);
    EXPECT_FALSE(user.Loading()); // not started yet
    user.StopLoading();
    EXPECT_FALSE(control->Terminated);
    EXPECT_EQ(user.Thread(), nullptr);
    control->Started = true;
    user.SetThread(control);
    EXPECT_TRUE(user.Loading());
    user.StopLoading();
    EXPECT_TRUE(control->Terminated);
    EXPECT_FALSE(user.Loading());
}

TEST_F(UserModelTest, InstanceCounterCountsLiveStoredUsers)
{
    InstanceCounter->IncCounter(0);
    InstanceCounter->IncCounter(-3);
    EXPECT_EQ(InstanceCounter->Count(0), 0);
    EXPECT_EQ(InstanceCounter->Count(-3), 0);
    auto first = Person(7);
    auto second = Person(7);
    EXPECT_EQ(InstanceCounter->Count(7), 2);
    second->SetProfileID(8);
    EXPECT_EQ(InstanceCounter->Count(7), 1);
    EXPECT_EQ(InstanceCounter->Count(8), 1);
    first.reset();
    EXPECT_EQ(InstanceCounter->Count(7), 0);
    second.reset();
    EXPECT_EQ(InstanceCounter->Count(8), 0);
    EXPECT_EQ(InstanceCounter->Count(12345), 0);
    InstanceCounter->DecCounter(12345);
    TVKUser plain;
    plain.SetProfileID(9);
    EXPECT_EQ(InstanceCounter->Count(9), 0);
}

TEST_F(UserModelTest, AssignCopiesThroughTheSettersAndLeavesNoChange)
{
    TVKUser source;
    source.SetName("Анна Кузнецова");
    source.SetProfileID(77);
    source.SetPageID("anna");
    source.SetProfileState(psHidden);
    source.SetOnline(true);
    source.SetOnlineMobile(true);
    source.SetLastOnline(FNow);
    source.Avatar().SetUrl("https://cs.vk.me/a.jpg");
    TVKStoredUser dest(PeopleFolders());
    source.AssignTo(dest);
    EXPECT_EQ(dest.Name(), "Анна Кузнецова");
    EXPECT_EQ(dest.ProfileID(), 77);
    EXPECT_EQ(InstanceCounter->Count(77), 1);
    EXPECT_EQ(dest.Url(), "http://vk.com/anna");
    EXPECT_EQ(dest.PageID(), "anna"); // derived from the copied address
    EXPECT_EQ(dest.ProfileState(), psHidden);
    EXPECT_TRUE(dest.Online());
    EXPECT_TRUE(dest.OnlineMobile());
    EXPECT_EQ(dest.LastOnline(), FNow);
    EXPECT_EQ(dest.Avatar().Url(), "https://cs.vk.me/a.jpg");
    EXPECT_TRUE(dest.Avatar().SaveToDisk());
    EXPECT_FALSE(dest.Changed());
}
