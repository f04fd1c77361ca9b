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
    struct Kind { const char* mode; const char* section; const char* first; const char* padding; const char* last; };
    for (const Kind& kind : {Kind {"ini", "Info", "ProgramID", "Padding", "End"},
                             Kind {"person", "User", "Name", "CustomName", "PageID"}}) {
        QTemporaryDir dir;
        const QString path = dir.path() + "/file.ini";
        for (int round = 0; round < 15; ++round) {
            QProcess loop;
            loop.start(PEERGLOW_SAVE_LOOP, {path, kind.mode});
            ASSERT_TRUE(loop.waitForStarted());
            for (int wait = 0; wait < 500 && !QFile::exists(path); ++wait)
                QThread::msleep(10);
            QThread::msleep(20 + (round * 37) % 60);
            loop.kill();
            loop.waitForFinished();
            const TIniFile ini = TIniFile::FromFile(path);
            const QString id = ini.ReadString(kind.section, kind.first, "missing");
            ASSERT_TRUE(id == "A" || id == "B") << kind.mode << " round " << round << ": " << id.toStdString();
            EXPECT_EQ(ini.ReadString(kind.section, kind.padding, "").size(), 200000) << kind.mode << round;
            EXPECT_EQ(ini.ReadString(kind.section, kind.last, ""), id) << kind.mode << round;
        }
    }
}
