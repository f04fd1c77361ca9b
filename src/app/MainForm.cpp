#include "MainForm.h"

#include "ManagedThreads.h"
#include "platform/SingleInstance.h"
#include "support/Exception.h"
#include "support/ProgramSettings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

#include <cstdio>

TMainForm::TMainForm(TSingleInstance& instance, bool showAtStart)
{
    setWindowTitle(QStringLiteral("Peerglow"));
    resize(260, 400);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Peerglow"), this), 0, Qt::AlignCenter);
    connect(&instance, &TSingleInstance::ActivateRequested, this, &TMainForm::ActivateFromOutside);
    connect(&instance, &TSingleInstance::ExitRequested, this, &TMainForm::CloseForGood);
    if (showAtStart)
        show();
}

void TMainForm::ActivateFromOutside()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TMainForm::CloseForGood()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!FExiting)
        RunExitSequence();
    event->accept();
}

void TMainForm::RunExitSequence()
{
    FExiting = true;
    try {
        Settings->Save();
    } catch (const Exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    try {
        ThreadManager->TerminateAll();
        ThreadManager->KillAll(0);
    } catch (...) {
    }
    QCoreApplication::quit();
}
