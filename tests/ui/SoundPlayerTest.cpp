#include "ui/SoundPlayer.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// Whatever stands where the sound should be, the player stays closed and playing is harmless.
TEST(SoundPlayerTest, NoPlayableFileLeavesItClosed)
{
    QTemporaryDir dir;
    for (const QString& name : {QString(), dir.filePath("missing.mp3"), dir.path()}) {
        TSoundPlayer player;
        player.SetFileName(name);
        player.Open();
        EXPECT_FALSE(player.IsOpen()) << name.toStdString();
        player.Play();
    }
}
