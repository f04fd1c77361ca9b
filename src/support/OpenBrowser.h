#pragma once

#include "base/Thread.h"

#include <QObject>
#include <QPointer>
#include <QString>

// Opens an address in the default browser on a short-lived thread of its own, so the caller
// stays responsive; a failure is one error box owned by the caller's window.
void OpenUrlAsync(QObject* owner, const QString& url);

// Asks the system to open the address; raises with the system's text on failure.
void OpenUrl(const QString& url);

class TOpenBrowserThread : public TThread {
public:
    TOpenBrowserThread(QObject* owner, const QString& url);

protected:
    void Execute() override;

private:
    void ShowError();

    QPointer<QObject> FHandle;
    QString FUrl;
    QString FMessage;
};
