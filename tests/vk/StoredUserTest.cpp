#include "PeopleFixture.h"

#include "support/IniFile.h"
#include "vk/VKUsers.h"

#include <QDir>

using StoredUserTest = PeopleFixture;

TEST_F(StoredUserTest, FileRoundTrip)
{
    TVKStoredUser user(PeopleFolders());
    user.SetName("Дмитрий Соколов");
    user.SetProfileID(42);
    user.SetPageID("dmitry.s");
    user.SetProfileState(psDeleted);
    user.SetCustomName("Дима «с работы»");
    user.SetLastOnline(QDateTime(QDate(2026, 8, 5), QTime(14, 3, 7, 999)));
    user.Avatar().SetUrl("https://cs.vk.me/u42/abc.jpg");
    user.SetOnline(true);
    const QString path = UsersDir() + user.GetFilename();
    user.Save(path);
    EXPECT_FALSE(user.Changed());
    EXPECT_EQ(user.GetFilename(), "42.ini");

    TVKStoredUser back(PeopleFolders());
    back.Load(path);
    EXPECT_EQ(back.Url(), "http://vk.com/dmitry.s");
    EXPECT_EQ(back.Name(), "Дмитрий Соколов");
    EXPECT_EQ(back.ProfileID(), 42);
    EXPECT_EQ(back.PageID(), "dmitry.s");
    EXPECT_EQ(back.ProfileState(), psDeleted);
    EXPECT_EQ(back.CustomName(), "Дима «с работы»");
    EXPECT_EQ(back.LastOnline(), QDateTime(QDate(2026, 8, 5), QTime(14, 3, 7)));
    EXPECT_EQ(back.Avatar().Url(), "https://cs.vk.me/u42/abc.jpg");
    EXPECT_FALSE(back.Online());
    EXPECT_FALSE(back.Changed());
    EXPECT_EQ(InstanceCounter->Count(42), 2);
}

TEST_F(StoredUserTest, SaveKeepsWhatElseTheFileHolds)
{
    const QString path = UsersDir() + "7.ini";
    QDir().mkpath(UsersDir());
    WriteFile(path, "; written by hand\n[User]\nName=Old\nMine=keep\n[Other]\nx=1\n");
    auto user = Person(7);
    user->SetName("New Name");
    user->Save(path);
    const TIniFile ini(ReadFile(path));
    EXPECT_EQ(ini.ReadString("User", "Name", ""), "New Name");
    EXPECT_EQ(ini.ReadString("User", "Mine", ""), "keep");
    EXPECT_EQ(ini.ReadString("Other", "x", ""), "1");
    EXPECT_TRUE(ReadFile(path).startsWith("; written by hand\n[User]\nName=New Name\nMine=keep\nUrl="));
}

TEST_F(StoredUserTest, ReadingKeepsNewerValuesAndDefaultsBadOnes)
{
    QDir().mkpath(UsersDir());
    const QString path = UsersDir() + "8.ini";
    WriteFile(path, "[User]\nProfileID=8\nLastOnline=01.01.2020 10:00:00\nProfileState=9\nUrl=https://VKONTAKTE.ru/Id8\n");
    TVKStoredUser user(PeopleFolders());
    user.SetLastOnline(FNow);
    user.Load(path);
    EXPECT_EQ(user.LastOnline(), FNow);
    EXPECT_EQ(user.ProfileState(), psNormal);
    EXPECT_EQ(user.Url(), "http://vk.com/id8"); // brought to the current site's form
    EXPECT_EQ(user.PageID(), "id8");

    WriteFile(path, "[User]\nProfileID=x\nLastOnline=30.12.1899\n");
    TVKStoredUser bad(PeopleFolders());
    bad.Load(path);
    EXPECT_EQ(bad.ProfileID(), 0);
    EXPECT_FALSE(bad.LastOnline().isValid());

    TVKStoredUser missing(PeopleFolders());
    missing.Load(UsersDir() + "none.ini");
    EXPECT_EQ(missing.ProfileID(), 0);
    EXPECT_EQ(missing.Name(), "");
}

TEST_F(StoredUserTest, OlderKeysAreConvertedOnce)
{
    QDir().mkpath(UsersDir());
    QDir().mkpath(Settings->AvatarsPath());
    WriteFile(Settings->AvatarsPath() + "old-avatar.jpg", "x");
    WriteFile(Settings->AvatarsPath() + "keep.jpg", "x");
    struct Case { const char* blockName; QString customName; };
    for (const Case& c : {Case {"1", "Пётр"}, Case {"0", ""}}) {
        const QString path = UsersDir() + "9.ini";
        WriteFile(path, QString("[User]\nName=Пётр\nProfileID=9\nBlockName=%1\nAvatarFile=old-avatar.jpg\n")
                            .arg(c.blockName).toUtf8());
        TVKStoredUser user(PeopleFolders());
        user.Load(path);
        EXPECT_EQ(user.CustomName(), c.customName) << c.blockName;
        const TIniFile ini(ReadFile(path));
        EXPECT_FALSE(ini.ValueExists("User", "BlockName"));
        EXPECT_FALSE(ini.ValueExists("User", "AvatarFile"));
        EXPECT_EQ(ini.ReadString("User", "CustomName", "none"), c.customName.isEmpty() ? "none" : c.customName);
    }
    EXPECT_FALSE(QFile::exists(Settings->AvatarsPath() + "old-avatar.jpg"));
    EXPECT_TRUE(QFile::exists(Settings->AvatarsPath() + "keep.jpg"));
}

TEST_F(StoredUserTest, PeopleWithoutIdShareOneFile)
{
    auto first = Person(0);
    auto second = Person(0);
    first->SetName("First");
    second->SetName("Second");
    first->Save(UsersDir() + first->GetFilename());
    second->Save(UsersDir() + second->GetFilename());
    EXPECT_EQ(first->GetFilename(), "0.ini");
    EXPECT_EQ(TIniFile(ReadFile(UsersDir() + "0.ini")).ReadString("User", "Name", ""), "Second");
    second->DeleteUserFile();
    EXPECT_FALSE(QFile::exists(UsersDir() + "0.ini"));
}

TEST_F(StoredUserTest, ListLookups)
{
    TVKUsers list;
    auto durov = Person(1);
    durov->SetPageID("durov");
    list.Add(durov);
    list.Add(Person(2));
    EXPECT_EQ(list.IndexOfPageID("durov"), 0);
    EXPECT_EQ(list.IndexOfPageID("Durov"), -1);
    EXPECT_EQ(list.IndexOfProfileID(2), 1);
    EXPECT_EQ(list.IndexOfProfileID(3), -1);
    list.Delete(0);
    EXPECT_EQ(durov->ProfileID(), 1); // the list never owned it
}
