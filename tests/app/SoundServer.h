#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <QVector>

// A PulseAudio server of the test's own with one null sink, whose monitor is recorded: what a
// program plays there can be measured.
class TSoundServer {
public:
    static constexpr int SampleRate = 8000;

    TSoundServer();
    ~TSoundServer();
    TSoundServer(const TSoundServer&) = delete;
    TSoundServer& operator=(const TSoundServer&) = delete;

    // False when no server could be started (not installed).
    bool Start();
    // The address a client is pointed at with PULSE_SERVER.
    QString Address() const;
    void StartRecording();
    // The loudest sample (0 to 1) of each slice of the recording so far.
    QVector<double> Peaks(int sliceMs) const;

private:
    QTemporaryDir FDir;
    QProcess FServer;
    QProcess FRecorder;
};
