#pragma once

#include "support/Clock.h"
#include "support/Deployment.h"
#include "support/Directories.h"
#include "support/ProgramSettings.h"
#include "vk/InstanceCounter.h"
#include "vk/VKStoredUser.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// A data directory of the test's own, the program-wide objects people need, and a fixed clock.
class PeopleFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        OverrideUserDataDir(FDir.path());
        Settings = new TProgramSettings(FDir.path() + "/Settings.ini");
        InstanceCounter = new TInstanceCounter;
        SetNowProvider([this] { return FNow; });
    }
    void TearDown() override
    {
        SetNowProvider({});
        delete InstanceCounter;
        InstanceCounter = nullptr;
        delete Settings;
        Settings = nullptr;
        OverrideUserDataDir({});
        SetDeployment({});
    }
    static std::shared_ptr<TVKStoredUser> Person(int id)
    {
        auto user = std::make_shared<TVKStoredUser>();
        user->SetProfileID(id);
        return user;
    }
    QByteArray ReadFile(const QString& path) const
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    void WriteFile(const QString& path, const QByteArray& bytes) const
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
    }

    QTemporaryDir FDir;
    QDateTime FNow {QDate(2026, 8, 5), QTime(14, 3, 7)};
};
