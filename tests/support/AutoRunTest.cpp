#include "platform/Platform.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(AutoRun, EntryExistsExactlyWhileEnabled)
{
    QTemporaryDir config;
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const QString entry = config.path() + "/autostart/peerglow.desktop";

    SetAutoRunEntry(true, "\"/opt/My Apps/peer$glow\"");
    QFile file(entry);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    file.close();
    EXPECT_TRUE(text.contains("\nExec=\"/opt/My Apps/peer\\\\$glow\" -hidden\n")) << text.toStdString();
    EXPECT_TRUE(text.startsWith("[Desktop Entry]\n"));

    SetAutoRunEntry(true, "/usr/bin/peerglow"); // rewritten: it follows a moved program
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\nExec=\"/usr/bin/peerglow\" -hidden\n"));
    file.close();

    SetAutoRunEntry(false, "/usr/bin/peerglow");
    EXPECT_FALSE(QFile::exists(entry));
    SetAutoRunEntry(false, "/usr/bin/peerglow");
    if (old.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", old);
}
