#include "ProgramProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include <unistd.h>

TProgramInstall::TProgramInstall()
{
    QDir().mkpath(Root() + "/bin");
    QDir().mkpath(RuntimeDir());
    QFile::setPermissions(RuntimeDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::copy(PEERGLOW_BINARY, Binary());
}

TProgramInstall::~TProgramInstall()
{
    for (auto& process : FProcesses) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
}

QProcessEnvironment TProgramInstall::Environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", RuntimeDir());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", Root());
    return environment;
}

QProcess& TProgramInstall::Start(const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(Environment());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(Binary(), arguments);
    process->waitForStarted();
    FProcesses.push_back(std::move(process));
    return *FProcesses.back();
}

int TProgramInstall::RunToEnd(const QStringList& arguments, int timeoutMs, qint64* elapsedMs)
{
    QElapsedTimer timer;
    timer.start();
    QProcess& process = Start(arguments);
    const bool finished = process.waitForFinished(timeoutMs);
    if (elapsedMs)
        *elapsedMs = timer.elapsed();
    if (!finished || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

bool TProgramInstall::WaitUntilListening(int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    const QString socket = QString("%1/peerglow-%2.socket").arg(RuntimeDir()).arg(getuid());
    while (timer.elapsed() < timeoutMs) {
        QLocalSocket probe;
        probe.connectToServer(socket);
        if (probe.waitForConnected(100))
            return true;
        QThread::msleep(50);
    }
    return false;
}

bool TProgramInstall::SendMessage(const QByteArray& message) const
{
    QLocalSocket socket;
    socket.connectToServer(QString("%1/peerglow-%2.socket").arg(RuntimeDir()).arg(getuid()));
    if (!socket.waitForConnected(2000))
        return false;
    socket.write(message + "\n");
    const bool written = socket.waitForBytesWritten(2000);
    socket.disconnectFromServer();
    return written;
}

void TProgramInstall::WriteSettings(const QByteArray& bytes) const
{
    QDir().mkpath(Root() + "/UserData");
    QFile file(SettingsPath());
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray TProgramInstall::ReadSettings() const
{
    QFile file(SettingsPath());
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
