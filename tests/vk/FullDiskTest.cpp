#include "ApiFixture.h"

#include "fakes/DiskFull.h"
#include "fakes/FakeHttpsServer.h"
#include "fakes/TestPictures.h"
#include "support/IniFile.h"
#include "support/ProgramSettings.h"
#include "vk/AvatarDownload.h"
#include "vk/UpdateUsersThread.h"


namespace {
class FullDiskTest : public ApiFixture {};
}

// Each kind of file: written whole once, then a write that fails for want of space raises and
// leaves the earlier file exactly as it was.
TEST_F(FullDiskTest, FailedWriteRaisesAndKeepsThePreviousFile)
{
    TFakeHttpsServer pictures;
    pictures.On("/new.png", Answer(200, PngBytes(Qt::green)));
    struct Case { const char* kind; QString path; std::function<void()> write; };
    const auto person = Person(5);
    person->SetName("Имя Фамилия");
    TAvatarRequest picture {pictures.Url("/new.png"), FDir + "/Avatars/5.png", true, {}};
    const Case cases[] = {
        {"settings", Settings->AvatarsPath() + "../Settings.ini", [] { Settings->Save(); }},
        {"person", person->FilePath(), [&] { person->Save(person->FilePath()); }},
        {"account", FDir + "/Auth.ini", [this] { AuthInfo->Save(FDir + "/Auth.ini", "0"); }},
        {"avatar", picture.Filename, [&] {
             const TAvatarResult result = FetchAvatar(picture, CurrentHttpOptions());
             if (result.Error)
                 std::rethrow_exception(result.Error);
         }},
    };
    AuthInfo->SetToken(QString(300, QLatin1Char('t')));
    for (const Case& c : cases) {
        const QByteArray before = "[Before]\nkept=1\n";
        QDir().mkpath(QFileInfo(c.path).path());
        WriteFile(c.path, before);
        Settings->SetProgramID(QString(300, QLatin1Char('x')));
        person->SetCustomName(QString(300, QLatin1Char('c')));
        const QStringList files = QDir(QFileInfo(c.path).path()).entryList(QDir::Files);
        {
            TDiskFull full;
            EXPECT_THROW(c.write(), Exception) << c.kind;
        }
        EXPECT_EQ(ReadFile(c.path), before) << c.kind;
        EXPECT_EQ(QDir(QFileInfo(c.path).path()).entryList(QDir::Files), files) << c.kind << ": a temporary file was left";
        c.write();
        EXPECT_NE(ReadFile(c.path), before) << c.kind;
    }
}

// A refresh that cannot write its people's files reports the error and changes no file; the next
// one, with room again, writes them.
TEST_F(FullDiskTest, RefreshOnAFullDiskKeepsEveryPersonFile)
{
    FApi.SetPeople({FakePerson(1, true), FakePerson(2, true)});
    TVKUsers list;
    for (int id : {1, 2}) {
        auto user = Person(id);
        user->SetPageID("id" + QString::number(id));
        user->SetCustomName(QString(300, QLatin1Char('c')));
        user->Save(user->FilePath());
        list.Add(user);
    }
    const QByteArray before = ReadFile(UsersDir() + "1.ini");
    QStringList events;
    TUpdateUsersThread refresh(list, CurrentApiAccess());
    refresh.OnUpdated = [&](const TVKUsers&) { events << "updated"; };
    refresh.OnError = [&](const TVKUsers&) { events << "error"; };
    {
        TDiskFull full;
        refresh.Start();
        ASSERT_TRUE(WaitForWorkers());
    }
    EXPECT_EQ(events, QStringList({"error", "updated"}));
    EXPECT_EQ(ReadFile(UsersDir() + "1.ini"), before);
    EXPECT_EQ(QDir(UsersDir()).entryList(QDir::Files).size(), 2);

    events.clear();
    refresh.Start();
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_EQ(events, QStringList({"updated"}));
    EXPECT_TRUE(TIniFile(ReadFile(UsersDir() + "1.ini")).ReadString("User", "Name", "").startsWith("Имя1"));
}
