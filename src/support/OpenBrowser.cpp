#include "OpenBrowser.h"

#include "ErrorBox.h"
#include "base/Exception.h"
#include "platform/Platform.h"

void OpenUrl(const QString& url)
{
    ShellOpen(url);
}

void OpenUrlAsync(QObject* owner, const QString& url)
{
    auto* thread = new TOpenBrowserThread(owner, url);
    thread->Start();
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
