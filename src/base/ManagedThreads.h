#pragma once

#include "base/Thread.h"

#include <QDateTime>
#include <atomic>
#include <mutex>
#include <vector>

class TThreadManager;

// A worker that records when it was made, ran and was asked to stop, and that belongs to a
// registry from its construction to its destruction.
class TManagedThread : public TThread {
public:
    explicit TManagedThread(TThreadManager* manager);
    ~TManagedThread() override;

    void Terminate();

    QDateTime CreateTime() const { return Stamp(FCreateTime); }
    QDateTime ExecuteStartTime() const { return Stamp(FExecuteStartTime); }
    QDateTime ExecuteEndTime() const { return Stamp(FExecuteEndTime); }
    QDateTime TerminateTime() const { return Stamp(FTerminateTime); }
    TThreadManager* ThreadManager() const;
    int ExecuteTimeout() const { return FExecuteTimeout; }
    void SetExecuteTimeout(int value) { FExecuteTimeout = value; }

protected:
    // Stamps the start and the end around DoExecute; workers may replace it altogether.
    void Execute() override;
    virtual void DoExecute() {}

private:
    friend class TThreadManager;
    static QDateTime Stamp(const std::atomic<qint64>& msecs);

    std::atomic<qint64> FCreateTime {0};
    std::atomic<qint64> FExecuteStartTime {0};
    std::atomic<qint64> FExecuteEndTime {0};
    std::atomic<qint64> FTerminateTime {0};
    TThreadManager* FThreadManager = nullptr; // guarded by the registry lock
    std::atomic<int> FExecuteTimeout {0};
};

// The registry of workers. It never owns them: removing an entry or destroying the registry
// destroys no thread.
class TThreadManager {
public:
    TThreadManager() = default;
    ~TThreadManager();
    TThreadManager(const TThreadManager&) = delete;
    TThreadManager& operator=(const TThreadManager&) = delete;

    int Count() const;
    // Raises std::out_of_range for a position outside the list.
    TManagedThread* GetThread(int index) const;
    TManagedThread* Threads(int index) const { return GetThread(index); }

    // Asks every registered worker to stop; waits for nothing and removes nothing.
    void TerminateAll();
    // Waits up to waiting ms for any worker to end, then cuts every worker still registered off
    // from the program: it is terminated, delivers nothing more and ends on its own.
    void KillAll(int waiting);

private:
    friend class TManagedThread;
    void Remove(TManagedThread* thread);

    std::vector<TManagedThread*> FThreads;
};

// A network worker: registered in the program's registry.
class TVKThread : public TManagedThread {
public:
    TVKThread();
};

// The program's one registry, created at start-up.
extern TThreadManager* ThreadManager;
