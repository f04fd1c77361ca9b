#pragma once

#include <QPointer>
#include <QString>

class QMediaPlayer;

// One notification sound. Opening only checks the file: a missing one leaves the player closed,
// and playing a closed player does nothing. The media player is made when the sound is played
// and let go once it has played: one kept for minutes plays silence (Qt 6.4 with GStreamer), and
// an idle one costs megabytes. No audio device: nothing is played, quietly.
class TSoundPlayer {
public:
    TSoundPlayer() = default;
    ~TSoundPlayer();
    TSoundPlayer(const TSoundPlayer&) = delete;
    TSoundPlayer& operator=(const TSoundPlayer&) = delete;

    void SetFileName(const QString& path) { FFileName = path; }
    // Opening an open player opens it again.
    void Open();
    bool IsOpen() const { return FOpen; }
    void Play();
    // A sound is being played now.
    bool Playing() const { return !FPlayer.isNull(); }

private:
    void Release();

    QString FFileName;
    bool FOpen = false;
    QPointer<QMediaPlayer> FPlayer;
};
