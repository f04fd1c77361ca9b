#include "ResidentSize.h"

#include "app/ProgramObjects.h"
#include "base/ManagedThreads.h"
#include "platform/SingleInstance.h"
#include "support/Directories.h"
#include "support/ProgramSettings.h"
#include "ui/MainForm.h"
#include "vk/VKStoredUser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

namespace {
constexpr int People = 999;

// 999 stored people and settings that keep the window off the network: the API host does not
// resolve, so the first refresh fails at once and quietly.
struct TStoredWorld {
    QTemporaryDir Dir;

    TStoredWorld()
    {
        qputenv("XDG_CONFIG_HOME", (Dir.path() + "/config").toLocal8Bit());
        OverrideUserDataDir(Dir.path());
        QFile settings(Dir.path() + "/Settings.ini");
        settings.open(QIODevice::WriteOnly);
        settings.write("[General]\nAutoLoad=0\nUpdateInterval=3600\n[Deployment]\nApiHost=api.invalid\n");
        settings.close();
        for (int i = 1; i <= People; ++i) {
            TVKStoredUser user {TPeopleFolders()};
            user.SetProfileID(i);
            user.SetPageID("id" + QString::number(i));
            user.SetName("Человек " + QString::number(i));
            user.Save(UsersDir() + user.GetFilename());
        }
    }
    ~TStoredWorld() { OverrideUserDataDir({}); }
};

void SettleWorkers()
{
    while (ThreadManager && ThreadManager->Count() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
}

// From nothing to a shown main window listing 999 people, torn down again outside the timing.
void StartUp(benchmark::State& state)
{
    TStoredWorld world;
    TSingleInstance instance;
    for (auto _ : state) {
        auto objects = std::make_unique<TProgramObjects>();
        Settings->Load();
        auto form = std::make_unique<TMainForm>(instance, true);
        QCoreApplication::processEvents();
        state.PauseTiming();
        SettleWorkers();
        form.reset();
        objects.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond)->Iterations(10);

// The same for a bare Qt window: what any window costs here.
void BareWindow(benchmark::State& state)
{
    for (auto _ : state) {
        auto window = std::make_unique<QWidget>();
        window->resize(280, 374);
        window->show();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BareWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

// What the window does on the main thread after each refresh: sort and repaint 999 rows.
void SortAndCount(benchmark::State& state)
{
    TStoredWorld world;
    TSingleInstance instance;
    TProgramObjects objects;
    Settings->Load();
    TMainForm form(instance, true);
    SettleWorkers();
    int turn = 0;
    for (auto _ : state) {
        // Every tenth person comes online in turn, so each sort has work to do.
        for (int i = 0; i < form.UserList().count(); ++i)
            form.UserList().GetUser(i)->SetOnline((form.UserList().GetUser(i)->ProfileID() + turn) % 10 == 0);
        ++turn;
        form.UserList().SortUsers();
        form.UpdateOnlineCount();
        form.UserList().viewport()->repaint();
    }
}
BENCHMARK(SortAndCount)->Unit(benchmark::kMillisecond)->Iterations(50);

// "--memory window" or "--memory bare": the resident size after a few idle seconds, one
// process per figure so the two do not share a heap.
int IdleMemory(const char* what)
{
    const bool window = std::strcmp(what, "window") == 0;
    std::unique_ptr<TStoredWorld> world;
    std::unique_ptr<TSingleInstance> instance;
    std::unique_ptr<TProgramObjects> objects;
    std::unique_ptr<QWidget> shown;
    if (window) {
        world = std::make_unique<TStoredWorld>();
        instance = std::make_unique<TSingleInstance>();
        objects = std::make_unique<TProgramObjects>();
        Settings->Load();
        shown = std::make_unique<TMainForm>(*instance, true);
    } else {
        shown = std::make_unique<QWidget>();
        shown->resize(280, 374);
        shown->show();
    }
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::printf("idle_rss_kb{%s}=%ld\n", what, ResidentKb());
    SettleWorkers();
    shown.reset();
    return 0;
}
}

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    InstallMainThreadDispatcher();
    if (argc == 3 && std::strcmp(argv[1], "--memory") == 0)
        return IdleMemory(argv[2]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    RemoveMainThreadDispatcher();
}
