#include "StartUp.h"

#include "app/ProgramObjects.h"
#include "base/Exception.h"
#include "base/Thread.h"
#include "platform/Platform.h"
#include "platform/SingleInstance.h"
#include "support/ErrorBox.h"
#include "support/ProgramSettings.h"
#include "support/TextUtils.h"
#include "support/UpdateInstaller.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>

namespace {
enum class TPreparation { Continue, HandedOver };

TPreparation PrepareSettings()
{
    Settings->Load();
    if (Settings->ProgramID().isEmpty()) {
        Settings->SetProgramID(NewGuidString());
        Settings->Save();
    }
    if (Settings->UpdateOnNextLoad()) {
        if (HasSwitch(QStringLiteral("-afterupdate"))) {
            Settings->SetUpdateOnNextLoad(false);
            Settings->Save();
        } else if (InstallUpdates()) {
            return TPreparation::HandedOver;
        }
    }
    return TPreparation::Continue;
}

void ShowErrorMessage(QObject* owner, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Ошибка"), text, QMessageBox::Ok,
                    qobject_cast<QWidget*>(owner));
    box.exec();
}

int RunMainWindow(int argc, char** argv, TSingleInstance& instance)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Peerglow"));
    QApplication::setQuitOnLastWindowClosed(false);
    SetErrorBoxHandler(ShowErrorMessage);
    InstallMainThreadDispatcher();
    int result = 0;
    {
        TMainForm form(instance, !HasSwitch(QStringLiteral("-hidden")));
        SetTerminationHandler([&form] { form.CloseForGood(); });
        // Listening tells other processes that we run: the window and the handler exist by then.
        instance.Listen();
        result = application.exec();
    }
    RemoveMainThreadDispatcher();
    return result;
}

int ReportStartFailure(int argc, char** argv, const QString& message)
{
    QApplication application(argc, argv);
    ShowErrorMessage(nullptr, message);
    return 1;
}
}

int RunProgram(int argc, char** argv)
{
    TProgramObjects objects;
    TSingleInstance instance;
    if (!instance.Acquire()) {
        TSingleInstance::Send("activate");
        return 0;
    }
    ProgramInstance = &instance;
    try {
        if (PrepareSettings() == TPreparation::HandedOver)
            return 0;
    } catch (const Exception& error) {
        return ReportStartFailure(argc, argv, error.Message());
    }
    QFile::remove(ProgramFilePath() + QStringLiteral(".old"));
    const int result = RunMainWindow(argc, argv, instance);
    ProgramInstance = nullptr;
    return result;
}
