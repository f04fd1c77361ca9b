#include "SoundServer.h"

#include <QFile>
#include <QThread>
#include <cstdlib>

TSoundServer::TSoundServer() = default;

TSoundServer::~TSoundServer()
{
    for (QProcess* process : {&FRecorder, &FServer}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
}

bool TSoundServer::Start()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", FDir.path());
    environment.insert("XDG_RUNTIME_DIR", FDir.path());
    FServer.setProcessEnvironment(environment);
    FServer.setProcessChannelMode(QProcess::MergedChannels);
    FServer.setStandardOutputFile(FDir.filePath("server.log"));
    FServer.start("pulseaudio", {"-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                                 "--load=module-null-sink sink_name=nul",
                                 "--load=module-native-protocol-unix auth-anonymous=1 socket=" + FDir.filePath("socket")});
    if (!FServer.waitForStarted())
        return false;
    for (int wait = 0; wait < 100 && !QFile::exists(FDir.filePath("socket")); ++wait)
        QThread::msleep(50);
    return QFile::exists(FDir.filePath("socket"));
}

QString TSoundServer::Address() const
{
    return "unix:" + FDir.filePath("socket");
}

void TSoundServer::StartRecording()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PULSE_SERVER", Address());
    FRecorder.setProcessEnvironment(environment);
    FRecorder.setStandardOutputFile(FDir.filePath("record.raw"));
    FRecorder.start("parec", {"-d", "nul.monitor", "--format=s16le", "--channels=1",
                              "--rate=" + QString::number(SampleRate), "--latency-msec=50"});
    FRecorder.waitForStarted();
}

QVector<double> TSoundServer::Peaks(int sliceMs) const
{
    QFile file(FDir.filePath("record.raw"));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
    const qsizetype count = bytes.size() / 2;
    const qsizetype perSlice = SampleRate * sliceMs / 1000;
    QVector<double> peaks;
    for (qsizetype start = 0; start < count; start += perSlice) {
        int peak = 0;
        for (qsizetype i = start; i < qMin(count, start + perSlice); ++i)
            peak = qMax(peak, std::abs(int(samples[i])));
        peaks.append(peak / 32768.0);
    }
    return peaks;
}
