#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class TThreadManager;

// What others may keep of a thread after it has freed itself.
struct TThreadControl {
    std::atomic<bool> Started {false};
    std::atomic<bool> Terminated {false};
    std::atomic<bool> Killed {false};
    std::atomic<bool> Ended {false};
};

// A worker thread. It runs only after Start(); with FreeOnTerminate it deletes itself on its own
// thread when Execute has returned. One without it is destroyed by its owner after WaitFor.
class TThread {
public:
    TThread();
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Start();
    void Terminate();
    bool Terminated() const { return FControl->Terminated; }
    bool FreeOnTerminate() const { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool value) { FFreeOnTerminate = value; }
    // Waits for a thread without FreeOnTerminate to end.
    void WaitFor();

    // Runs fn on the main thread and waits for it, re-raising here what it raised. Once the thread
    // is terminated or killed nothing more runs and the call returns at once. On the main thread
    // fn runs directly.
    void Synchronize(const std::function<void()>& fn);

    // The TThread running the calling code, or nullptr outside workers.
    static TThread* Current();
    // True when the calling code runs on a worker that has been asked to stop: transfers abort.
    static bool CurrentTerminated();
    std::shared_ptr<TThreadControl> Control() const { return FControl; }

protected:
    virtual void Execute() = 0;

private:
    friend class TThreadManager;
    void Run();
    // Cuts the thread off from everything the main thread owns; it ends on its own.
    void Kill();

    std::shared_ptr<TThreadControl> FControl;
    std::thread FThread;
    std::mutex FStartMutex;
    std::atomic<bool> FFreeOnTerminate {false};
};

// Asks the thread to stop, as TThread::Terminate does; usable after the thread has freed itself.
void TerminateThread(const std::shared_ptr<TThreadControl>& control);

// Waits until one of the threads has ended or the time is up; true when one has.
bool WaitForAnyEnded(const std::vector<std::shared_ptr<TThreadControl>>& controls, int milliseconds);
// Waits, at most the given time, until every thread started so far has ended; true when all have.
bool WaitForAllThreadsEnded(int milliseconds);

// Must be called on the main thread, with an application object, before workers synchronize.
void InstallMainThreadDispatcher();
// Drops every call still waiting; the workers that wait return without it.
void RemoveMainThreadDispatcher();
