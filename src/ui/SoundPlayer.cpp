#include "SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

TSoundPlayer::~TSoundPlayer()
{
    Release();
}

void TSoundPlayer::Open()
{
    const QFileInfo file(FFileName);
    FOpen = file.isFile() && file.isReadable();
}

void TSoundPlayer::Play()
{
    if (!FOpen || QMediaDevices::audioOutputs().isEmpty())
        return;
    Release(); // a sound still playing starts again from its beginning
    auto* player = new QMediaPlayer;
    player->setAudioOutput(new QAudioOutput(player));
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player, [this, player](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
            player->deleteLater();
    });
    QObject::connect(player, &QMediaPlayer::errorOccurred, player, &QObject::deleteLater);
    FPlayer = player;
    player->setSource(QUrl::fromLocalFile(FFileName));
    player->play();
}

void TSoundPlayer::Release()
{
    if (FPlayer) {
        FPlayer->stop();
        FPlayer->deleteLater();
    }
    FPlayer.clear();
}
