#include "ProgramProcess.h"
#include "SoundServer.h"

#include "fakes/FakeVkApi.h"
#include "fakes/TestCertificates.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {
// The loudest slice between two moments of the recording.
double LoudestBetween(const QVector<double>& peaks, qint64 fromMs, qint64 toMs, int sliceMs)
{
    double loudest = 0;
    for (qsizetype i = qMax<qint64>(0, fromMs / sliceMs); i < qMin(peaks.size(), qsizetype(toMs / sliceMs)); ++i)
        loudest = qMax(loudest, peaks[i]);
    return loudest;
}
}

// A program that has run for a while plays both sounds, audibly, on a real sound server.
TEST(Sound, BothNoticesAreHeardAfterTheProgramHasRunAWhile)
{
    TSoundServer server;
    if (!server.Start())
        GTEST_SKIP() << "no PulseAudio here";
    TFakeVkApi api;
    api.SetPeople({TFakePerson::Named(1, false)});
    TProgramInstall install;
    QDir().mkpath(install.Root() + "/UserData/Users");
    QFile person(install.Root() + "/UserData/Users/1.ini");
    ASSERT_TRUE(person.open(QIODevice::WriteOnly));
    person.write("[User]\nProfileID=1\nPageID=id1\nName=Имя1 Фамилия\n");
    person.close();
    install.WriteSettings(("[General]\nAutoLoad=0\nUpdateInterval=3\nShowOfflineNotifications=1\n"
                           "[Deployment]\nApiHost=" + api.HostPort() + "\nCAFile=" + TTestCertificates::Shared().CAFile() + "\n")
                              .toUtf8());
    QDir().mkpath(install.Root() + "/bin/audio");
    for (const char* sound : {"online.mp3", "offline.mp3"})
        QFile::copy(QFileInfo(PEERGLOW_BINARY).path() + "/audio/" + sound, install.Root() + "/bin/audio/" + sound);

    server.StartRecording();
    QElapsedTimer clock;
    clock.start();
    qputenv("PULSE_SERVER", server.Address().toUtf8());
    // GStreamer scans its plugins in the program itself, not in a forked helper: a sanitized
    // program must not start threads in a forked child.
    qputenv("GST_REGISTRY_FORK", "no");
    install.Start({"-hidden"});
    qunsetenv("PULSE_SERVER");
    qunsetenv("GST_REGISTRY_FORK");
    QThread::msleep(11000);
    const qint64 online = clock.elapsed();
    api.SetPeople({TFakePerson::Named(1, true)});
    QThread::msleep(7000);
    const qint64 offline = clock.elapsed();
    api.SetPeople({TFakePerson::Named(1, false)});
    QThread::msleep(7000);

    constexpr int Slice = 250;
    const QVector<double> peaks = server.Peaks(Slice);
    // The recorder starts a moment after it is asked to: its recording ends now.
    const qint64 start = clock.elapsed() - peaks.size() * Slice;
    EXPECT_LT(LoudestBetween(peaks, 0, online - start, Slice), 0.01) << "a sound before anyone came or went";
    EXPECT_GT(LoudestBetween(peaks, online - start, offline - start, Slice), 0.1) << "the online sound was not heard";
    EXPECT_GT(LoudestBetween(peaks, offline - start, clock.elapsed() - start, Slice), 0.1)
        << "the offline sound was not heard";
}
