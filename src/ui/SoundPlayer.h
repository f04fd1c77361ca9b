#pragma once

#include <QString>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

// One notification sound. Opening fails quietly (missing file, no audio device) and leaves the
// player closed; playing a closed player does nothing.
class TSoundPlayer {
public:
    TSoundPlayer();
    ~TSoundPlayer();

    void SetFileName(const QString& path) { FFileName = path; }
    // Opening an open player opens it again.
    void Open();
    bool IsOpen() const { return FOpen; }
    void Play();

private:
    QString FFileName;
    bool FOpen = false;
    std::unique_ptr<QMediaPlayer> FPlayer;
    std::unique_ptr<QAudioOutput> FOutput;
};
