#include "Platform.h"

#include "base/Exception.h"
#include "base/FileIO.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

QString ProgramFilePath()
{
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

QStringList CommandLineArguments()
{
    QFile file(QStringLiteral("/proc/self/cmdline"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList arguments;
    for (const QByteArray& part : file.readAll().split('\0'))
        arguments.append(QString::fromLocal8Bit(part));
    if (!arguments.isEmpty())
        arguments.removeLast(); // the text ends with a zero
    if (!arguments.isEmpty())
        arguments.removeFirst();
    return arguments;
}

QString GetOSName()
{
    return QStringLiteral("Unknown");
}

QString GetFileVersionText(const QString& path)
{
    const QString own = QFileInfo(ProgramFilePath()).canonicalFilePath();
    if (!own.isEmpty() && QFileInfo(path).canonicalFilePath() == own)
        return QStringLiteral(PEERGLOW_VERSION);
    return {};
}

QString GetInternetCookie(const QString&)
{
    return {};
}

bool RunProcess(const QString& path, const QString& arguments)
{
    return QProcess::startDetached(path, QProcess::splitCommand(arguments));
}

namespace {
QString AutostartFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/peerglow.desktop");
}

// The Exec key quotes its argument; a reserved character is escaped for the argument and that
// escape again for the key's string value, so a backslash takes four.
QString DesktopExecQuoted(QString path)
{
    path.remove(QLatin1Char('"'));
    path.replace(QLatin1String("\\"), QLatin1String("\\\\\\\\"));
    path.replace(QLatin1String("`"), QLatin1String("\\\\`"));
    path.replace(QLatin1String("$"), QLatin1String("\\\\$"));
    return QLatin1Char('"') + path + QLatin1Char('"');
}
}

void SetAutoRunEntry(bool enabled, const QString& programPath)
{
    const QString file = AutostartFile();
    if (!enabled) {
        QFile::remove(file);
        return;
    }
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=Peerglow\nExec=%1 -hidden\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(DesktopExecQuoted(programPath));
    try {
        WriteFileAtomic(file, entry.toUtf8());
    } catch (const Exception&) {
        // Like a registry value that cannot be written: the program simply does not start by itself.
    }
}

namespace {
QString XdgOpenFailure(int code)
{
    switch (code) {
    case 1:
        return QStringLiteral("Error in command line syntax.");
    case 2:
        return QStringLiteral("One of the files passed on the command line did not exist.");
    case 3:
        return QStringLiteral("A required tool could not be found.");
    case 4:
        return QStringLiteral("The action failed.");
    default:
        return QStringLiteral("The handler failed.");
    }
}

[[noreturn]] void RaiseSystemError(int code, const QString& description)
{
    throw Exception(QStringLiteral("System Error.  Code: %1.\n%2").arg(code).arg(description));
}
}

void ShellOpen(const QString& url)
{
    const QByteArray program = "xdg-open";
    const QByteArray address = url.toLocal8Bit();
    char* argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(address.constData()), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ);
    if (spawned != 0)
        RaiseSystemError(spawned, QString::fromLocal8Bit(std::strerror(spawned)));
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            RaiseSystemError(errno, QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (!WIFEXITED(status))
        RaiseSystemError(status, XdgOpenFailure(-1));
    if (WEXITSTATUS(status) != 0)
        RaiseSystemError(WEXITSTATUS(status), XdgOpenFailure(WEXITSTATUS(status)));
}

namespace {
int TerminationPipe[2] = {-1, -1};

void OnTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(TerminationPipe[1], &byte, 1);
}
}

void SetTerminationHandler(std::function<void()> handler)
{
    // The signal only writes a byte; the handler runs from the event loop, where it is safe.
    if (TerminationPipe[0] < 0 && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, TerminationPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(TerminationPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [handler = std::move(handler)] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = read(TerminationPipe[0], &byte, 1);
        handler();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
}
