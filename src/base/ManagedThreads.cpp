#include "ManagedThreads.h"

#include <algorithm>
#include <stdexcept>

TThreadManager* ThreadManager = nullptr;

namespace {
// One lock for every registry and every entry's link to it, so a worker removing itself never
// races a walk, and never needs the main thread to do it.
std::mutex& RegistryMutex = *new std::mutex; // never destroyed, like the hand-over state

qint64 NowMsecs()
{
    return QDateTime::currentMSecsSinceEpoch();
}
}

TManagedThread::TManagedThread(TThreadManager* manager) : FCreateTime(NowMsecs())
{
    if (manager) {
        std::lock_guard lock(RegistryMutex);
        FThreadManager = manager;
        manager->FThreads.push_back(this);
    }
}

TManagedThread::~TManagedThread()
{
    std::lock_guard lock(RegistryMutex);
    if (FThreadManager)
        FThreadManager->Remove(this);
}

QDateTime TManagedThread::Stamp(const std::atomic<qint64>& msecs)
{
    const qint64 value = msecs;
    return value ? QDateTime::fromMSecsSinceEpoch(value) : QDateTime();
}

TThreadManager* TManagedThread::ThreadManager() const
{
    std::lock_guard lock(RegistryMutex);
    return FThreadManager;
}

void TManagedThread::Terminate()
{
    FTerminateTime = NowMsecs();
    TThread::Terminate();
}

void TManagedThread::Execute()
{
    FExecuteStartTime = NowMsecs();
    try {
        DoExecute();
    } catch (...) {
        FExecuteEndTime = NowMsecs();
        throw;
    }
    FExecuteEndTime = NowMsecs();
}

TThreadManager::~TThreadManager()
{
    // Entries stay alive and running; they just no longer belong anywhere.
    std::lock_guard lock(RegistryMutex);
    for (TManagedThread* thread : FThreads)
        thread->FThreadManager = nullptr;
}

int TThreadManager::Count() const
{
    std::lock_guard lock(RegistryMutex);
    return int(FThreads.size());
}

TManagedThread* TThreadManager::GetThread(int index) const
{
    std::lock_guard lock(RegistryMutex);
    if (index < 0 || index >= int(FThreads.size()))
        throw std::out_of_range("List index out of bounds");
    return FThreads[size_t(index)];
}

void TThreadManager::Remove(TManagedThread* thread)
{
    const auto found = std::find(FThreads.begin(), FThreads.end(), thread);
    if (found != FThreads.end())
        FThreads.erase(found);
    thread->FThreadManager = nullptr;
}

void TThreadManager::TerminateAll()
{
    std::lock_guard lock(RegistryMutex);
    for (TManagedThread* thread : FThreads)
        thread->Terminate();
}

void TThreadManager::KillAll(int waiting)
{
    std::vector<std::shared_ptr<TThreadControl>> controls;
    {
        std::lock_guard lock(RegistryMutex);
        for (TManagedThread* thread : FThreads)
            controls.push_back(thread->Control());
    }
    if (controls.empty())
        return;
    if (waiting > 0)
        WaitForAnyEnded(controls, waiting);
    std::lock_guard lock(RegistryMutex);
    while (!FThreads.empty()) {
        TManagedThread* thread = FThreads.back();
        FThreads.pop_back();
        thread->FThreadManager = nullptr;
        thread->Kill();
    }
}

TVKThread::TVKThread() : TManagedThread(::ThreadManager) {}
