#include "base/Worker.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QObject>
#include <gtest/gtest.h>
#include <thread>

namespace {
class WorkerTest : public ::testing::Test {
protected:
    void SetUp() override { ThreadManager = new TThreadManager; }
    void TearDown() override
    {
        EXPECT_TRUE(WaitForAllThreadsEnded(5000));
        delete ThreadManager;
        ThreadManager = nullptr;
    }
    // Runs the main thread's events until the worker has ended.
    static bool RunUntilEnded(const std::shared_ptr<TThreadControl>& control)
    {
        const QDeadlineTimer deadline(5000);
        while (!control->Ended && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::processEvents();
        return control->Ended;
    }
};
}

TEST_F(WorkerTest, ValueIsMadeOnTheWorkerAndDeliveredOnTheMainThread)
{
    const std::thread::id main = std::this_thread::get_id();
    std::thread::id madeOn;
    std::thread::id deliveredOn;
    int delivered = 0;
    QObject receiver;
    const auto control = RunThenDeliver<int>(
        AliveWhile(&receiver),
        [&] {
            madeOn = std::this_thread::get_id();
            return 42;
        },
        [&](int& value) {
            deliveredOn = std::this_thread::get_id();
            delivered = value;
        });
    ASSERT_TRUE(RunUntilEnded(control));
    EXPECT_EQ(delivered, 42);
    EXPECT_NE(madeOn, main);
    EXPECT_EQ(deliveredOn, main);
}

TEST_F(WorkerTest, NothingIsDeliveredToAGoneReceiver)
{
    auto receiver = std::make_unique<QObject>();
    std::atomic<bool> gone {false};
    bool firstRan = true;
    QStringList delivered;
    const auto control = RunWorker(AliveWhile(receiver.get()), [&](TWorker& worker) {
        while (!gone)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        firstRan = worker.Deliver([&] { delivered << "first"; });
        worker.Deliver([&] { delivered << "second"; });
    });
    receiver.reset();
    gone = true;
    ASSERT_TRUE(RunUntilEnded(control));
    EXPECT_FALSE(firstRan);
    EXPECT_TRUE(delivered.isEmpty());
}

TEST_F(WorkerTest, CutOffWorkerDeliversNothing)
{
    std::atomic<bool> release {false};
    bool delivered = false;
    const auto control = RunThenDeliver<int>(
        AlwaysAlive(),
        [&] {
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return 1;
        },
        [&](int&) { delivered = true; });
    ThreadManager->KillAll(0);
    EXPECT_EQ(ThreadManager->Count(), 0);
    release = true;
    ASSERT_TRUE(RunUntilEnded(control));
    EXPECT_FALSE(delivered);
}
