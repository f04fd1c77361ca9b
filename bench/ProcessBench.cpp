// Start-up and idle memory of the whole program as a user runs it, against a bare Qt Widgets
// window built here, in the same run. Needs a display (Xvfb):
//   xvfb-run -a process_bench [PROGRAM]     PROGRAM defaults to the program built beside it
// "process_bench --bare SOCKET" is the bare window itself.
#include "ResidentSize.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace {
constexpr int People = 999;
constexpr int Runs = 7;

int RunBareWindow(const char* socket)
{
    int argc = 1;
    char name[] = "bare";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QWidget window;
    window.resize(280, 374);
    window.show();
    QLocalServer server;
    server.listen(QString::fromLocal8Bit(socket));
    return application.exec();
}

// A copy of the program beside 999 stored people with cached pictures, off the network.
struct TInstall {
    QTemporaryDir Dir;

    explicit TInstall(const QString& program)
    {
        QDir().mkpath(Dir.path() + "/bin");
        QDir().mkpath(Dir.path() + "/run");
        QFile::setPermissions(Dir.path() + "/run", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QFile::copy(program, Dir.path() + "/bin/peerglow");
        const QString data = Dir.path() + "/UserData/";
        QDir().mkpath(data + "Users");
        QDir().mkpath(data + "Avatars");
        QFile settings(data + "Settings.ini");
        settings.open(QIODevice::WriteOnly);
        settings.write("[General]\nAutoLoad=0\nUpdateInterval=3600\n[Deployment]\nApiHost=api.invalid\n");
        QImage picture(50, 50, QImage::Format_RGB32);
        for (int id = 1; id <= People; ++id) {
            QFile person(data + QString("Users/%1.ini").arg(id));
            person.open(QIODevice::WriteOnly);
            person.write(QString("[User]\nUrl=http://vk.com/id%1\nName=Человек %1\nProfileID=%1\nPageID=id%1\n"
                                 "AvatarUrl=https://pics.invalid/%1.png\nLastOnline=05.08.2026 14:03:07\n")
                             .arg(id)
                             .toUtf8());
            picture.fill(QColor::fromHsv(id % 360, 200, 200));
            picture.save(data + QString("Avatars/%1.png").arg(id));
        }
    }
    QString RuntimeDir() const { return Dir.path() + "/run"; }
};

bool Listening(const QString& socket)
{
    QLocalSocket probe;
    probe.connectToServer(socket);
    return probe.waitForConnected(5);
}

struct TRun {
    double StartMs;
    long IdleKb;
};

// From the process start to its window being up (it then listens for messages), and its resident
// size after a few idle seconds.
TRun Measure(const QString& program, const QStringList& arguments, const QString& socket,
             const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    while (!Listening(socket) && timer.elapsed() < 20000)
        QThread::usleep(500);
    const double startMs = double(timer.nsecsElapsed()) / 1e6;
    QThread::msleep(4000);
    const long kb = ResidentKb(QString::number(process.processId()));
    process.kill();
    process.waitForFinished();
    QFile::remove(socket);
    return {startMs, kb};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const char* name, const std::vector<TRun>& runs)
{
    std::vector<double> starts;
    std::vector<double> memory;
    for (const TRun& run : runs) {
        starts.push_back(run.StartMs);
        memory.push_back(double(run.IdleKb));
    }
    std::printf("%-8s start-up median %7.1f ms   idle resident median %7.0f KB\n", name, Median(starts), Median(memory));
}
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--bare") == 0)
        return RunBareWindow(argv[2]);
    QCoreApplication application(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(PEERGLOW_BINARY);
    TInstall install(program);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", install.RuntimeDir());
    environment.insert("HOME", install.Dir.path());
    const QString socket = QString("%1/peerglow-%2.socket").arg(install.RuntimeDir()).arg(getuid());
    const QString bareSocket = install.RuntimeDir() + "/bare.socket";
    std::vector<TRun> window;
    std::vector<TRun> bare;
    for (int i = 0; i < Runs; ++i) { // interleaved, so both see the same machine
        window.push_back(Measure(install.Dir.path() + "/bin/peerglow", {}, socket, environment));
        bare.push_back(Measure(QCoreApplication::applicationFilePath(), {"--bare", bareSocket}, bareSocket, environment));
    }
    std::printf("%d people with cached pictures; %d runs each\n", People, Runs);
    Report("program", window);
    Report("bare", bare);
    return 0;
}
