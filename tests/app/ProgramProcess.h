#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <vector>

// A copy of the real program in a directory of its own (bin/, UserData/ beside it) with a
// session of its own, so tests never meet a real instance or each other.
class TProgramInstall {
public:
    TProgramInstall();
    ~TProgramInstall();

    QString Root() const { return FDir.path(); }
    QString Binary() const { return Root() + "/bin/peerglow"; }
    QString SettingsPath() const { return Root() + "/UserData/Settings.ini"; }
    QString RuntimeDir() const { return Root() + "/run"; }
    QProcessEnvironment Environment() const;

    // Starts the program; it is killed when the install goes away.
    QProcess& Start(const QStringList& arguments = {});
    // Runs the program to its end; returns its exit code, or -1 when it took longer than timeoutMs.
    int RunToEnd(const QStringList& arguments, int timeoutMs, qint64* elapsedMs = nullptr);
    // Waits until the running program listens for messages.
    bool WaitUntilListening(int timeoutMs = 10000) const;
    // Sends a message to the running program as any process of the user could.
    bool SendMessage(const QByteArray& message) const;
    void WriteSettings(const QByteArray& bytes) const;
    QByteArray ReadSettings() const;

private:
    QTemporaryDir FDir;
    std::vector<std::unique_ptr<QProcess>> FProcesses;
};
