#include "OpenBrowser.h"

#include "ErrorBox.h"
#include "Exception.h"
#include "platform/Platform.h"

#include <mutex>
#include <vector>

void OpenUrl(const QString& url)
{
    ShellOpen(url);
}

namespace {
std::mutex OpenersMutex;
std::vector<std::shared_ptr<TThreadControl>> Openers;
}

void OpenUrlAsync(QObject* owner, const QString& url)
{
    auto* thread = new TOpenBrowserThread(owner, url);
    {
        std::lock_guard lock(OpenersMutex);
        std::erase_if(Openers, [](const auto& control) { return bool(control->Ended); });
        Openers.push_back(thread->Control());
    }
    thread->Start();
}

bool BrowserOpenersRunning()
{
    std::lock_guard lock(OpenersMutex);
    std::erase_if(Openers, [](const auto& control) { return bool(control->Ended); });
    return !Openers.empty();
}

TOpenBrowserThread::TOpenBrowserThread(QObject* owner, const QString& url) : FHandle(owner), FUrl(url)
{
    SetFreeOnTerminate(true);
}

void TOpenBrowserThread::Execute()
{
    try {
        OpenUrl(FUrl);
    } catch (const Exception& error) {
        FMessage = error.Message();
        Synchronize([this] { ShowError(); });
    } catch (const std::exception& error) {
        FMessage = QString::fromLocal8Bit(error.what());
        Synchronize([this] { ShowError(); });
    }
}

void TOpenBrowserThread::ShowError()
{
    ShowErrorBox(FHandle.data(), FMessage);
}
