// A long run of the whole program at the shortest interval, people coming and going and pictures
// changing at every tick, its resident size sampled from outside:
//   soak_bench [MINUTES] [PROGRAM]      (30 minutes by default; QT_QPA_PLATFORM=offscreen is set)
#include "ResidentSize.h"

#include "fakes/FakeVkApi.h"
#include "fakes/TestCertificates.h"
#include "fakes/TestPictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {
constexpr int People = 999;
constexpr int Pictures = 20;
constexpr int TickMs = 3000; // the shortest interval the settings allow

// Every tick a third of the people change state and fifty get a new picture.
std::vector<TFakePerson> PeopleAt(int tick, const TFakeHttpsServer& pictures)
{
    std::vector<TFakePerson> people;
    for (int id = 1; id <= People; ++id) {
        TFakePerson person = TFakePerson::Named(id, (id + tick) % 3 == 0);
        person.LastSeen = 1785938400 + tick;
        const int picture = (id % 50 == tick % 50) ? tick : id;
        person.Photo50 = pictures.Url("/p/" + std::to_string(picture % Pictures) + ".png");
        people.push_back(person);
    }
    return people;
}
}

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int minutes = argc > 1 ? QString(argv[1]).toInt() : 30;
    const QString program = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(PEERGLOW_BINARY);
    TFakeHttpsServer pictures;
    for (int i = 0; i < Pictures; ++i)
        pictures.On("/p/" + std::to_string(i) + ".png", Answer(200, PngBytes(QColor::fromHsv(i * 360 / Pictures, 200, 200))));
    TFakeVkApi api;
    api.SetPeople(PeopleAt(0, pictures));

    QTemporaryDir dir;
    QDir().mkpath(dir.path() + "/bin");
    QDir().mkpath(dir.path() + "/run");
    QFile::setPermissions(dir.path() + "/run", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile::copy(program, dir.path() + "/bin/peerglow");
    QDir().mkpath(dir.path() + "/UserData/Users");
    QFile settings(dir.path() + "/UserData/Settings.ini");
    settings.open(QIODevice::WriteOnly);
    settings.write(("[General]\nAutoLoad=0\nUpdateInterval=3\nAudioNotification=0\n[Deployment]\nApiHost="
                    + api.HostPort() + "\nCAFile=" + TTestCertificates::Shared().CAFile() + "\n")
                       .toUtf8());
    settings.close();
    for (int id = 1; id <= People; ++id) {
        QFile person(dir.path() + QString("/UserData/Users/%1.ini").arg(id));
        person.open(QIODevice::WriteOnly);
        person.write(QString("[User]\nProfileID=%1\nPageID=id%1\n").arg(id).toUtf8());
    }

    QProcess peerglow;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", dir.path() + "/run");
    environment.insert("HOME", dir.path());
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    peerglow.setProcessEnvironment(environment);
    peerglow.setStandardErrorFile(QProcess::nullDevice());
    peerglow.start(dir.path() + "/bin/peerglow", {"-hidden"});
    QElapsedTimer clock;
    clock.start();
    std::printf("minute  resident_kb  requests\n");
    for (int tick = 1; clock.elapsed() < minutes * 60000LL; ++tick) {
        QThread::msleep(TickMs);
        api.SetPeople(PeopleAt(tick, pictures));
        if (tick % 10 == 0) // every 30 seconds
            std::printf("%6.1f  %11ld  %8zu\n", clock.elapsed() / 60000.0, ResidentKb(QString::number(peerglow.processId())),
                        api.Requests().size());
        std::fflush(stdout);
    }
    peerglow.terminate();
    peerglow.waitForFinished(10000);
    return 0;
}
