#pragma once

#include "ManagedThreads.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <optional>

// Whether the receiver of a worker's values is still there; checked on the main thread.
using TReceiverAlive = std::function<bool()>;
TReceiverAlive AliveWhile(QObject* receiver);
template <typename T>
TReceiverAlive AliveWhile(const std::shared_ptr<T>& receiver)
{
    return [weak = std::weak_ptr<T>(receiver)] { return !weak.expired(); };
}
// For work whose values are wanted as long as the program runs.
TReceiverAlive AlwaysAlive();

// A registered worker that frees itself: it runs its body and hands values to the main thread.
class TWorker : public TVKThread {
public:
    using TBody = std::function<void(TWorker&)>;
    TWorker(TReceiverAlive alive, TBody body);

    // Runs step on the main thread and waits for it. Nothing runs once the receiver is gone or
    // the worker is terminated or cut off (KillAll); then false, and every later step is skipped.
    // What step raises is raised here.
    bool Deliver(const std::function<void()>& step);

protected:
    void DoExecute() override;

private:
    TReceiverAlive FAlive;
    TBody FBody;
    bool FDelivering = true; // worker thread only
};

// Starts body on a new worker; the control tells when it has ended and lets it be stopped.
std::shared_ptr<TThreadControl> RunWorker(TReceiverAlive alive, TWorker::TBody body);

// The one-value case: work runs on a worker, deliver gets its value on the main thread.
template <typename TValue>
std::shared_ptr<TThreadControl> RunThenDeliver(TReceiverAlive alive, std::function<TValue()> work,
                                               std::function<void(TValue&)> deliver)
{
    return RunWorker(std::move(alive), [work = std::move(work), deliver = std::move(deliver)](TWorker& worker) {
        TValue value = work();
        worker.Deliver([&] { deliver(value); });
    });
}
