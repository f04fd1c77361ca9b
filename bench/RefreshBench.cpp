#include "app/ProgramObjects.h"
#include "base/ManagedThreads.h"
#include "fakes/FakeVkApi.h"
#include "net/VKHttp.h"
#include "support/Clock.h"
#include "support/Directories.h"
#include "support/ProgramSettings.h"
#include "vk/AuthInfo.h"
#include "vk/InstanceCounter.h"
#include "vk/RefreshWork.h"
#include "vk/UpdateUsersThread.h"
#include "vk/VKStoredUser.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {
constexpr int People = 999;

// The program-wide objects and a fake API holding 999 people, a third of them online.
struct TWorld {
    QTemporaryDir Dir;
    TFakeVkApi Api;
    TVKUsers List;

    TWorld()
    {
        OverrideUserDataDir(Dir.path());
        Settings = new TProgramSettings(Dir.path() + "/Settings.ini");
        InstanceCounter = new TInstanceCounter;
        ThreadManager = new TThreadManager;
        AuthInfo = new TAuthInfo;
        TDeploymentValues deployment;
        deployment.ApiHost = Api.HostPort();
        deployment.CAFile = TTestCertificates::Shared().CAFile();
        Settings->SetDeployment(deployment);
        std::vector<TFakePerson> people;
        for (int i = 1; i <= People; ++i) {
            TFakePerson person;
            person.Uid = 100000 + i;
            person.FirstName = QString::fromUtf8("Имя");
            person.LastName = QString::fromUtf8("Фамилия") + QString::number(i);
            person.ScreenName = "user" + QString::number(i);
            person.Online = i % 3 == 0;
            person.OnlineMobile = i % 6 == 0;
            person.LastSeen = 1785938400 + i;
            people.push_back(person);
            auto user = std::make_shared<TVKStoredUser>(PeopleFolders());
            user->SetProfileID(person.Uid);
            user->SetPageID(person.ScreenName);
            user->SetAutoLoadAvatar(false);
            List.Add(user);
        }
        Api.SetPeople(people);
    }
};

void WaitForWorkers()
{
    while (ThreadManager->Count() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

// Person files written since the moment.
int FilesWrittenSince(const QDateTime& moment)
{
    int written = 0;
    for (const QFileInfo& file : QDir(UsersDir()).entryInfoList(QDir::Files))
        written += file.lastModified() >= moment ? 1 : 0;
    return written;
}

// Request, parse, apply and deliveries, end to end, after a first refresh has stored everyone:
// the refreshes of a program that runs all day, a third of its people online.
void WholeRefresh(benchmark::State& state)
{
    TWorld world;
    TUpdateUsersThread(world.List, CurrentApiAccess()).Start();
    WaitForWorkers();
    QThread::msleep(10); // file times have a resolution: the first refresh's writes are older
    const QDateTime start = QDateTime::currentDateTime();
    for (auto _ : state) {
        TUpdateUsersThread(world.List, CurrentApiAccess()).Start();
        WaitForWorkers();
    }
    state.counters["people"] = People;
    state.counters["files_written_per_refresh"] = double(FilesWrittenSince(start)) / double(state.iterations());
}
BENCHMARK(WholeRefresh)->Unit(benchmark::kMillisecond)->Iterations(20);

// The main thread's part of applying an answer for 999 people, and the parse on the worker.
void ParseAndApply(benchmark::State& state)
{
    TWorld world;
    const QString answer = [&] {
        TVKHttp http(CurrentHttpOptions());
        const QString url = QStringLiteral("https://") + world.Api.HostPort()
            + TUpdateUsersThread::UsersGetPath(world.List) + "&access_token=&sig=0";
        return DecodeBody(http.Get(url), "utf-8");
    }();
    qint64 applyNs = 0;
    qint64 parseNs = 0;
    for (auto _ : state) {
        QElapsedTimer parse;
        parse.start();
        const std::vector<TUserInfo> people = ParseUsersAnswer(answer);
        parseNs += parse.nsecsElapsed();
        benchmark::DoNotOptimize(people.size());
        TRefreshWork work(CurrentHttpOptions());
        QElapsedTimer timer;
        timer.start();
        world.List.ApplyPeople(people, work);
        applyNs += timer.nsecsElapsed();
        work.Run();
        timer.restart();
        work.Finish();
        applyNs += timer.nsecsElapsed();
    }
    state.counters["parse_ms"] = benchmark::Counter(double(parseNs) / 1e6 / double(state.iterations()));
    state.counters["main_thread_ms"] = benchmark::Counter(double(applyNs) / 1e6 / double(state.iterations()));
}
BENCHMARK(ParseAndApply)->Unit(benchmark::kMillisecond)->Iterations(20);
}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    InstallMainThreadDispatcher();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveMainThreadDispatcher();
}
