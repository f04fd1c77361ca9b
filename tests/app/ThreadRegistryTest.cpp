#include "app/ProgramObjects.h"
#include "base/ManagedThreads.h"
#include "vk/VKStoredUser.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
// A registered worker running a given body; it frees itself and counts its destruction.
class TTestWorker : public TManagedThread {
public:
    TTestWorker(TThreadManager* manager, std::function<void(TTestWorker&)> body, std::atomic<int>& destroyed)
        : TManagedThread(manager), FBody(std::move(body)), FDestroyed(destroyed)
    {
        SetFreeOnTerminate(true);
    }
    ~TTestWorker() override { ++FDestroyed; }

protected:
    void DoExecute() override { FBody(*this); }

private:
    std::function<void(TTestWorker&)> FBody;
    std::atomic<int>& FDestroyed;
};

bool SpinUntil(const std::function<bool()>& done, int ms = 5000)
{
    const QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

void SleepUntilTerminated(TTestWorker& self)
{
    while (!self.Terminated())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

class ThreadRegistryTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Every worker of a test has freed itself before the next begins.
        EXPECT_TRUE(SpinUntil([&] { return FDestroyed == FStarted && FRegistry.Count() == 0; }));
    }
    TTestWorker* Start(std::function<void(TTestWorker&)> body, bool run = true)
    {
        auto* worker = new TTestWorker(&FRegistry, std::move(body), FDestroyed);
        ++FStarted;
        if (run)
            worker->Start();
        return worker;
    }

    TThreadManager FRegistry;
    std::atomic<int> FDestroyed {0};
    int FStarted = 0;
};
}

TEST_F(ThreadRegistryTest, KillAllOnEmptyRegistryReturnsAtOnce)
{
    QElapsedTimer timer;
    timer.start();
    FRegistry.KillAll(5000);
    EXPECT_LT(timer.elapsed(), 100);
}

TEST_F(ThreadRegistryTest, KillAllWithoutWaitingNeverWaits)
{
    std::atomic<bool> release {false};
    Start([&](TTestWorker&) {
        while (!release) // ignores Terminate, like a transfer that has not noticed yet
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    });
    QElapsedTimer timer;
    timer.start();
    FRegistry.KillAll(0);
    EXPECT_LT(timer.elapsed(), 100);
    EXPECT_EQ(FRegistry.Count(), 0);
    release = true;
    EXPECT_TRUE(SpinUntil([&] { return FDestroyed == 1; })); // before release goes out of scope
}

TEST_F(ThreadRegistryTest, KillAllWaitsForTheFirstToEndOnly)
{
    Start([](TTestWorker&) { std::this_thread::sleep_for(std::chrono::milliseconds(100)); });
    Start(SleepUntilTerminated);
    QElapsedTimer timer;
    timer.start();
    FRegistry.KillAll(10000);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(FRegistry.Count(), 0);
}

TEST_F(ThreadRegistryTest, WorkerThatEndedBeforeIsNotTouched)
{
    Start([](TTestWorker&) {});
    // Its own destructor has run and it has left the registry.
    ASSERT_TRUE(SpinUntil([&] { return FDestroyed == 1 && FRegistry.Count() == 0; }));
    FRegistry.KillAll(0);
}

TEST_F(ThreadRegistryTest, TerminateAllLeavesEntriesRegistered)
{
    TTestWorker* first = Start(SleepUntilTerminated, false);
    TTestWorker* second = Start(SleepUntilTerminated, false);
    EXPECT_FALSE(first->TerminateTime().isValid());
    FRegistry.TerminateAll();
    EXPECT_EQ(FRegistry.Count(), 2);
    EXPECT_EQ(FRegistry.GetThread(0), first);
    EXPECT_EQ(FRegistry.Threads(1), second);
    EXPECT_TRUE(first->Terminated());
    EXPECT_TRUE(second->TerminateTime().isValid());
    EXPECT_THROW(FRegistry.GetThread(2), std::out_of_range);
    // Never started: killing them still lets them free themselves, without running their work.
    FRegistry.KillAll(0);
    EXPECT_EQ(FRegistry.Count(), 0);
}

TEST_F(ThreadRegistryTest, StampsAreSetAroundTheWorkEvenWhenItRaises)
{
    std::atomic<bool> checked {false};
    TTestWorker* worker = Start([&](TTestWorker& self) {
        EXPECT_TRUE(self.ExecuteStartTime().isValid());
        EXPECT_FALSE(self.ExecuteEndTime().isValid());
        self.Synchronize([&] {
            EXPECT_TRUE(self.CreateTime().isValid());
            EXPECT_LE(self.CreateTime(), self.ExecuteStartTime());
            checked = true;
        });
        throw std::runtime_error("work failed");
    }, false);
    EXPECT_EQ(worker->ThreadManager(), &FRegistry);
    worker->Start();
    EXPECT_TRUE(SpinUntil([&] { return FDestroyed == 1; }));
    EXPECT_TRUE(checked);
}

TEST_F(ThreadRegistryTest, SynchronizeRunsOnTheMainThreadAndRaisesInTheWorker)
{
    const auto mainThread = std::this_thread::get_id();
    std::atomic<bool> ranOnMain {false};
    std::atomic<bool> caught {false};
    Start([&](TTestWorker& self) {
        self.Synchronize([&] { ranOnMain = std::this_thread::get_id() == mainThread; });
        try {
            self.Synchronize([] { throw std::runtime_error("from the handler"); });
        } catch (const std::runtime_error& error) {
            caught = std::string(error.what()) == "from the handler";
        }
    });
    EXPECT_TRUE(SpinUntil([&] { return FDestroyed == 1; }));
    EXPECT_TRUE(ranOnMain);
    EXPECT_TRUE(caught);
}

TEST_F(ThreadRegistryTest, KilledWorkerWaitingInSynchronizeDeliversNothing)
{
    std::atomic<bool> waiting {false};
    std::atomic<bool> delivered {false};
    std::atomic<bool> returned {false};
    Start([&](TTestWorker& self) {
        waiting = true;
        self.Synchronize([&] { delivered = true; });
        returned = true;
        self.Synchronize([&] { delivered = true; });
    });
    while (!waiting) // no events processed here: the main thread is "busy exiting"
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    QElapsedTimer timer;
    timer.start();
    FRegistry.TerminateAll();
    FRegistry.KillAll(0);
    EXPECT_LT(timer.elapsed(), 100);
    EXPECT_TRUE(SpinUntil([&] { return FDestroyed == 1; }));
    EXPECT_TRUE(returned);
    EXPECT_FALSE(delivered);
}

TEST(ThreadRegistry, DestroyingTheRegistryLeavesItsWorkersRunning)
{
    std::atomic<int> destroyed {0};
    std::atomic<bool> release {false};
    std::atomic<bool> finished {false};
    {
        TThreadManager registry;
        auto* worker = new TTestWorker(&registry, [&](TTestWorker&) {
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            finished = true;
        }, destroyed);
        worker->Start();
    }
    release = true;
    EXPECT_TRUE(SpinUntil([&] { return destroyed == 1; }));
    EXPECT_TRUE(finished);
}

// At exit the window cuts its workers off; one may still hold the last reference to a person,
// whose end counts it out of the instance counter.
TEST(ProgramObjectsEnd, WaitsForCutOffWorkersBeforeTheObjectsGo)
{
    auto objects = std::make_unique<TProgramObjects>();
    std::atomic<int> destroyed {0};
    auto person = std::make_shared<TVKStoredUser>(PeopleFolders());
    person->SetProfileID(5);
    auto* worker = new TTestWorker(
        ThreadManager,
        [person](TTestWorker& self) {
            SleepUntilTerminated(self);
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
        },
        destroyed);
    person.reset();
    worker->Start();
    ThreadManager->TerminateAll();
    ThreadManager->KillAll(0);
    objects.reset();
    EXPECT_EQ(destroyed, 1);
}
