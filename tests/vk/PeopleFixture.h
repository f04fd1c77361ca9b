#pragma once

#include "fakes/TestSettings.h"
#include "support/Clock.h"
#include "support/Deployment.h"
#include "support/Directories.h"
#include "support/ProgramSettings.h"
#include "vk/InstanceCounter.h"
#include "vk/VKStoredUser.h"

#include <QFile>
#include <memory>
#include <gtest/gtest.h>

// A data directory of the test's own, the program-wide objects people need, and a fixed clock.
class PeopleFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        FSettings = std::make_unique<TTestSettings>();
        FDir = FSettings->Dir();
        OverrideUserDataDir(FDir);
        InstanceCounter = new TInstanceCounter;
        SetNowProvider([this] { return FNow; });
    }
    void TearDown() override
    {
        SetNowProvider({});
        delete InstanceCounter;
        InstanceCounter = nullptr;
        OverrideUserDataDir({});
        FSettings.reset();
    }
    static std::shared_ptr<TVKStoredUser> Person(int id)
    {
        auto user = std::make_shared<TVKStoredUser>(PeopleFolders());
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

    std::unique_ptr<TTestSettings> FSettings;
    QString FDir; // the data directory
    QDateTime FNow {QDate(2026, 8, 5), QTime(14, 3, 7)};
};
