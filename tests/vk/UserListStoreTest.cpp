#include "PeopleFixture.h"

#include "support/IniFile.h"
#include "vk/UserListStore.h"
#include "vk/VKUsers.h"

#include <QDir>

namespace {
class UserListStoreTest : public PeopleFixture {
protected:
    QStringList PersonFiles() const
    {
        QStringList names = QDir(UsersDir()).entryList({"*.ini"}, QDir::Files);
        names.sort();
        return names;
    }
    void WritePerson(const QString& name, int id)
    {
        QDir().mkpath(UsersDir());
        WriteFile(UsersDir() + name, QString("[User]\nProfileID=%1\nName=Человек %1\n").arg(id).toUtf8());
    }
};
}

TEST_F(UserListStoreTest, LegacyListBecomesOneFilePerPerson)
{
    WriteFile(UserDataDir() + "Users.ini",
              "[a]\nProfileID=11\nName=Один\n[b]\nProfileID=22\nName=Два\nBlockName=1\n[c]\nProfileID=33\nName=Три\n");
    TVKUsers list;
    LoadUsers(list, UserDataDir(), PeopleFolders());
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(PersonFiles(), QStringList({"11.ini", "22.ini", "33.ini"}));
    EXPECT_FALSE(QFile::exists(UserDataDir() + "Users.ini"));
    EXPECT_EQ(TIniFile(ReadFile(UsersDir() + "22.ini")).ReadString("User", "CustomName", ""), "Два");
    for (const auto& user : list)
        EXPECT_TRUE(static_cast<TVKStoredUser&>(*user).NotifyBlocked());
}

TEST_F(UserListStoreTest, LegacyConversionThatCannotWriteKeepsTheLegacyFile)
{
    WriteFile(UserDataDir() + "Users.ini", "[a]\nProfileID=11\n[b]\nProfileID=22\n");
    WriteFile(UserDataDir() + "Users", "a file where the directory should be");
    TVKUsers list;
    EXPECT_THROW(LoadUsers(list, UserDataDir(), PeopleFolders()), Exception);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(QFile::exists(UserDataDir() + "Users.ini"));
}

TEST_F(UserListStoreTest, LegacyListBeyondTheLimitIsKeptAside)
{
    QByteArray legacy;
    for (int i = 1; i <= 1001; ++i)
        legacy += QString("[s%1]\nProfileID=%1\n").arg(i).toUtf8();
    WriteFile(UserDataDir() + "Users.ini", legacy);
    TVKUsers list;
    LoadUsers(list, UserDataDir(), PeopleFolders());
    EXPECT_EQ(list.Count(), 999);
    EXPECT_FALSE(QFile::exists(UserDataDir() + "Users.ini"));
    EXPECT_EQ(ReadFile(UserDataDir() + "Users.ini.old"), legacy);
}

TEST_F(UserListStoreTest, PersonFilesInDirectoryOrderUpToTheLimit)
{
    for (int i = 1; i <= 1002; ++i)
        WritePerson(QString("%1.ini").arg(i), i);
    QStringList order;
    ListFiles(UsersDir(), "*.ini", order);
    TVKUsers list;
    LoadUsers(list, UserDataDir(), PeopleFolders());
    ASSERT_EQ(list.Count(), 999);
    for (int i = 0; i < 999; ++i)
        ASSERT_EQ(QString::number(list.GetUser(i)->ProfileID()) + ".ini", order[i]);
    EXPECT_EQ(PersonFiles().size(), 1002);
}

TEST_F(UserListStoreTest, OlderFileNamesAreReplacedByProfileIdNames)
{
    const QString older = "0123456789ABCDEF0123456789ABCDEF.ini";
    ASSERT_EQ(older.size(), 36);
    WritePerson(older, 55);
    WritePerson("66.ini", 66);
    TVKUsers list;
    LoadUsers(list, UserDataDir(), PeopleFolders());
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(PersonFiles(), QStringList({"55.ini", "66.ini"}));
    EXPECT_EQ(TIniFile(ReadFile(UsersDir() + "55.ini")).ReadString("User", "Name", ""), "Человек 55");
}
