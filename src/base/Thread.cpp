#include "Thread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <deque>

// The hand-over between workers and the main thread uses std primitives, not Qt's, so that the
// thread sanitizer sees every lock; a Qt event only wakes the main thread.
namespace {
struct TSyncRequest {
    enum class TState { Pending, Running, Done, Dropped };
    std::function<void()> Fn;
    std::shared_ptr<TThreadControl> Thread;
    TState State = TState::Pending;
    std::exception_ptr Error;
};

// Never destroyed: workers cut off at exit may still pass through here while the process ends.
struct TSyncState {
    std::mutex Mutex;
    std::condition_variable Changed;
    std::deque<std::shared_ptr<TSyncRequest>> Queue;
    std::thread::id MainThreadId;
    std::mutex EndedMutex;
    // Started and not yet ended; changed under EndedMutex, and atomic as well so that a waiter's
    // check is never a race, whatever the sanitizer makes of the lock around it.
    std::atomic<int> Running {0};
};
TSyncState& Sync()
{
    static auto* state = new TSyncState;
    return *state;
}

class TDispatcher : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        RunPending();
        return true;
    }

    static void RunPending()
    {
        for (;;) {
            std::shared_ptr<TSyncRequest> request;
            {
                std::lock_guard lock(Sync().Mutex);
                // A worker terminated meanwhile gets nothing run, even before it has woken up.
                while (!Sync().Queue.empty()
                       && (Sync().Queue.front()->State != TSyncRequest::TState::Pending
                           || Sync().Queue.front()->Thread->Terminated)) {
                    Sync().Queue.front()->State = TSyncRequest::TState::Dropped;
                    Sync().Queue.pop_front();
                }
                if (Sync().Queue.empty())
                    return;
                request = Sync().Queue.front();
                Sync().Queue.pop_front();
                request->State = TSyncRequest::TState::Running;
            }
            try {
                request->Fn();
            } catch (...) {
                request->Error = std::current_exception();
            }
            {
                std::lock_guard lock(Sync().Mutex);
                request->State = TSyncRequest::TState::Done;
            }
            Sync().Changed.notify_all();
        }
    }
};

TDispatcher* Dispatcher = nullptr; // guarded by Sync().Mutex

thread_local TThread* CurrentThread = nullptr;
}

void InstallMainThreadDispatcher()
{
    std::lock_guard lock(Sync().Mutex);
    if (!Dispatcher)
        Dispatcher = new TDispatcher;
    Sync().MainThreadId = std::this_thread::get_id();
}

void RemoveMainThreadDispatcher()
{
    {
        std::lock_guard lock(Sync().Mutex);
        delete Dispatcher;
        Dispatcher = nullptr;
        for (const auto& request : Sync().Queue)
            if (request->State == TSyncRequest::TState::Pending)
                request->State = TSyncRequest::TState::Dropped;
        Sync().Queue.clear();
    }
    Sync().Changed.notify_all();
}

TThread::TThread() : FControl(std::make_shared<TThreadControl>()) {}

TThread::~TThread()
{
    if (FThread.joinable()) {
        Terminate();
        if (FThread.get_id() == std::this_thread::get_id())
            FThread.detach();
        else
            FThread.join();
    }
}

void TThread::Start()
{
    std::lock_guard lock(FStartMutex);
    if (FControl->Started)
        return;
    FControl->Started = true;
    {
        std::lock_guard running(Sync().EndedMutex);
        ++Sync().Running;
    }
    FThread = std::thread([this] { Run(); });
}

void TThread::Run()
{
    {
        std::lock_guard lock(FStartMutex); // Start() has finished storing FThread
    }
    const std::shared_ptr<TThreadControl> control = FControl;
    CurrentThread = this;
    if (!control->Killed) {
        try {
            Execute();
        } catch (...) {
            // A worker reports its own errors; whatever escapes ends it quietly.
        }
    }
    CurrentThread = nullptr;
    const bool freeSelf = FFreeOnTerminate;
    if (freeSelf) {
        FThread.detach();
        delete this;
    }
    {
        std::lock_guard lock(Sync().EndedMutex);
        control->Ended = true;
        --Sync().Running;
    }
}

void TThread::WaitFor()
{
    if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id())
        FThread.join();
}

void TerminateThread(const std::shared_ptr<TThreadControl>& control)
{
    {
        std::lock_guard lock(Sync().Mutex);
        control->Terminated = true;
    }
    Sync().Changed.notify_all();
}

void TThread::Terminate()
{
    TerminateThread(FControl);
}

void TThread::Kill()
{
    {
        std::lock_guard lock(Sync().Mutex);
        FControl->Killed = true;
        FControl->Terminated = true;
    }
    Sync().Changed.notify_all();
    // One that never ran is started so that it can free itself; it skips its work.
    if (FFreeOnTerminate)
        Start();
}

TThread* TThread::Current()
{
    return CurrentThread;
}

bool TThread::CurrentTerminated()
{
    return CurrentThread && CurrentThread->Terminated();
}

void TThread::Synchronize(const std::function<void()>& fn)
{
    if (std::this_thread::get_id() == Sync().MainThreadId) {
        fn();
        return;
    }
    using TState = TSyncRequest::TState;
    auto request = std::make_shared<TSyncRequest>();
    request->Fn = fn;
    request->Thread = FControl;
    std::unique_lock lock(Sync().Mutex);
    if (FControl->Terminated || !Dispatcher)
        return;
    Sync().Queue.push_back(request);
    QCoreApplication::postEvent(Dispatcher, new QEvent(QEvent::User));
    Sync().Changed.wait(lock, [&] {
        return request->State == TState::Done || request->State == TState::Dropped
            || (request->State == TState::Pending && FControl->Terminated);
    });
    if (request->State != TState::Done) {
        request->State = TState::Dropped;
        return;
    }
    lock.unlock();
    if (request->Error)
        std::rethrow_exception(request->Error);
}

namespace {
// Polls rather than waiting on a condition with a time-out: the thread sanitizer does not see the
// lock taken back after such a wait (pthread_cond_clockwait) and reports the check as a race.
// These waits happen only at exit and in tests.
template <typename TDone>
bool WaitUntilEnded(int milliseconds, const TDone& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        {
            std::lock_guard lock(Sync().EndedMutex);
            if (done())
                return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}
}

bool WaitForAllThreadsEnded(int milliseconds)
{
    return WaitUntilEnded(milliseconds, [] { return Sync().Running == 0; });
}

bool WaitForAnyEnded(const std::vector<std::shared_ptr<TThreadControl>>& controls, int milliseconds)
{
    return WaitUntilEnded(milliseconds, [&] {
        for (const auto& control : controls)
            if (control->Ended)
                return true;
        return false;
    });
}
