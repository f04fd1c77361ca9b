#include "Worker.h"

TReceiverAlive AliveWhile(QObject* receiver)
{
    return [guard = QPointer<QObject>(receiver)] { return !guard.isNull(); };
}

TReceiverAlive AlwaysAlive()
{
    return [] { return true; };
}

TWorker::TWorker(TReceiverAlive alive, TBody body) : FAlive(std::move(alive)), FBody(std::move(body))
{
    SetFreeOnTerminate(true);
}

bool TWorker::Deliver(const std::function<void()>& step)
{
    if (!FDelivering)
        return false;
    bool ran = false;
    Synchronize([&] {
        if (!FAlive())
            return;
        ran = true;
        step();
    });
    FDelivering = ran;
    return ran;
}

void TWorker::DoExecute()
{
    FBody(*this);
}

std::shared_ptr<TThreadControl> RunWorker(TReceiverAlive alive, TWorker::TBody body)
{
    auto* worker = new TWorker(std::move(alive), std::move(body));
    std::shared_ptr<TThreadControl> control = worker->Control();
    worker->Start();
    return control;
}
