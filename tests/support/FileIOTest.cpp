#include "support/IniFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

// The helper alternates between two complete files as fast as it can; killing it at any moment
// must leave one of them, whole.
TEST(AtomicWrite, KillDuringSaveLeavesOldOrNewFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/Settings.ini";
    for (int round = 0; round < 25; ++round) {
        QProcess loop;
        loop.start(PEERGLOW_SAVE_LOOP, {path});
        ASSERT_TRUE(loop.waitForStarted());
        for (int wait = 0; wait < 500 && !QFile::exists(path); ++wait)
            QThread::msleep(10);
        QThread::msleep(20 + (round * 37) % 60);
        loop.kill();
        loop.waitForFinished();
        const TIniFile ini = TIniFile::FromFile(path);
        const QString id = ini.ReadString("Info", "ProgramID", "missing");
        ASSERT_TRUE(id == "A" || id == "B") << "round " << round << ": " << id.toStdString();
        EXPECT_EQ(ini.ReadString("Info", "Padding", "").size(), 200000) << "round " << round;
        EXPECT_EQ(ini.ReadString("Info", "End", ""), id) << "round " << round;
    }
}
