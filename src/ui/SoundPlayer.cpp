#include "SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

TSoundPlayer::TSoundPlayer() = default;

TSoundPlayer::~TSoundPlayer() = default;

void TSoundPlayer::Open()
{
    FOpen = false;
    const QFileInfo file(FFileName);
    if (!file.isFile() || !file.isReadable() || QMediaDevices::audioOutputs().isEmpty())
        return;
    if (!FPlayer) {
        FPlayer = std::make_unique<QMediaPlayer>();
        FOutput = std::make_unique<QAudioOutput>();
        FPlayer->setAudioOutput(FOutput.get());
    }
    FPlayer->setSource(QUrl::fromLocalFile(FFileName));
    FOpen = FPlayer->error() == QMediaPlayer::NoError;
}

void TSoundPlayer::Play()
{
    if (!FOpen)
        return;
    FPlayer->setPosition(0);
    FPlayer->play();
}
