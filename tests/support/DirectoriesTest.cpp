#include "platform/Platform.h"
#include "support/Directories.h"
#include "support/DisplayVersion.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Directories, AreSiblingsOfTheProgramDirectory)
{
    EXPECT_EQ(ProgramDir(), QFileInfo(ProgramFilePath()).absolutePath() + "/");
    // The test binary's parent directory is writable, so the portable layout applies.
    EXPECT_EQ(UserDataDir(), ProgramDir() + "../UserData/");
    EXPECT_EQ(UsersDir(), ProgramDir() + "../UserData/Users/");
    EXPECT_EQ(UpdatesDir(), ProgramDir() + "../Updates/");
}

TEST(Directories, ListFilesAddsEveryMatchUnfiltered)
{
    QTemporaryDir dir;
    for (const char* name : {"1.ini", "2.ini", "notes.txt"}) {
        QFile file(dir.path() + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QStringList list {"stale"};
    ListFiles(dir.path(), "*.ini", list);
    list.sort();
    EXPECT_EQ(list, QStringList({"1.ini", "2.ini"}));
    ListFiles(dir.path() + "/", "*", list);
    EXPECT_TRUE(list.contains(".") && list.contains("..") && list.contains("notes.txt"));
    ListFiles(dir.path() + "/missing", "*", list);
    EXPECT_TRUE(list.isEmpty());
}

TEST(Version, DisplayVersionDropsTheLastComponent)
{
    EXPECT_EQ(CutLastVersionComponent("2.3.1.0"), "2.3.1");
    EXPECT_EQ(CutLastVersionComponent("7"), "");
    EXPECT_EQ(CutLastVersionComponent(""), "");
    EXPECT_EQ(GetFileVersionText(ProgramFilePath()), PEERGLOW_VERSION);
    EXPECT_EQ(DisplayVersion(), CutLastVersionComponent(PEERGLOW_VERSION));
    EXPECT_EQ(GetFileVersionText("/etc/hostname"), "");
    EXPECT_EQ(GetOSName(), "Unknown");
}
