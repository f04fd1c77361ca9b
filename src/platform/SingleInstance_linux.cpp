#include "SingleInstance.h"

#include "Platform.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <chrono>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

TSingleInstance* ProgramInstance = nullptr;

namespace {
QString SessionPath(const char* suffix)
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/peerglow-%1.%2").arg(getuid()).arg(QLatin1String(suffix));
}

// A plain socket: a second instance has no application object and must not need one.
bool SendOnce(const QByteArray& path, const QByteArray& message)
{
    sockaddr_un address {};
    if (path.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), path.size());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool sent = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    const QByteArray line = message + '\n';
    sent = sent && send(fd, line.constData(), line.size(), MSG_NOSIGNAL) == line.size();
    close(fd);
    return sent;
}
}

TSingleInstance::TSingleInstance(QObject* parent) : QObject(parent) {}

TSingleInstance::~TSingleInstance() = default;

QString TSingleInstance::SocketPath()
{
    return SessionPath("socket");
}

bool TSingleInstance::Acquire()
{
    FLock = std::make_unique<QLockFile>(SessionPath("lock"));
    FLock->setStaleLockTime(0);
    if (!FLock->tryLock(0)) {
        const bool held = FLock->error() == QLockFile::LockFailedError;
        FLock.reset();
        // Without a usable lock directory the program still runs, only unguarded.
        if (held)
            return false;
    }
    return true;
}

void TSingleInstance::Listen()
{
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(SocketPath()); // left by an instance that crashed; the lock is ours now
    FServer->listen(SocketPath());
    connect(FServer, &QLocalServer::newConnection, this, &TSingleInstance::OnConnection);
}

void TSingleInstance::Release()
{
    delete FServer;
    FServer = nullptr;
    FLock.reset();
}

bool TSingleInstance::HandOverTo(const QString& program, const QString& arguments)
{
    Release();
    return RunProcess(program, arguments);
}

bool TSingleInstance::Send(const QByteArray& message)
{
    // The running instance may hold the lock but not listen yet: it is still starting.
    const QByteArray path = QFile::encodeName(SocketPath());
    for (int attempt = 0; attempt < 30; ++attempt) {
        if (SendOnce(path, message))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

void TSingleInstance::OnConnection()
{
    while (QLocalSocket* socket = FServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            while (socket->canReadLine()) {
                const QByteArray message = socket->readLine().trimmed();
                if (message == "activate")
                    emit ActivateRequested();
                else if (message == "exit")
                    emit ExitRequested();
            }
        });
    }
}
