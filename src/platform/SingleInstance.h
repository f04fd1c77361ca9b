#pragma once

#include <QByteArray>
#include <QObject>
#include <memory>

class QLocalServer;
class QLockFile;

// One instance per user session: a lock decides, a local socket carries the messages
// "activate" (show your window) and "exit" (quit), which any process of the user may send.
class TSingleInstance : public QObject {
    Q_OBJECT
public:
    explicit TSingleInstance(QObject* parent = nullptr);
    ~TSingleInstance() override;

    // Takes the session's instance lock; false when another instance has it.
    bool Acquire();
    // Starts taking messages; needs the application object.
    void Listen();
    // Gives the lock up, then starts the program that takes over, which therefore is not taken
    // for a duplicate of this dying instance.
    bool HandOverTo(const QString& program, const QString& arguments);

    // Sends a message to the running instance, waiting briefly for it to listen.
    static bool Send(const QByteArray& message);
    static QString SocketPath();

signals:
    void ActivateRequested();
    void ExitRequested();

private:
    void Release();
    void OnConnection();

    std::unique_ptr<QLockFile> FLock;
    QLocalServer* FServer = nullptr;
};

// The running program's instance, for the operations that restart it.
extern TSingleInstance* ProgramInstance;
