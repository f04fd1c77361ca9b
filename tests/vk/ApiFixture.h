#pragma once

#include "PeopleFixture.h"

#include "base/ManagedThreads.h"
#include "fakes/FakeVkApi.h"
#include "vk/AuthInfo.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

// People, a fake VK API the program is pointed at, the account session and the worker registry.
class ApiFixture : public PeopleFixture {
protected:
    void SetUp() override
    {
        PeopleFixture::SetUp();
        TDeploymentValues deployment = Deployment();
        deployment.ApiHost = FApi.HostPort();
        Settings->SetDeployment(deployment);
        ThreadManager = new TThreadManager;
        AuthInfo = new TAuthInfo;
    }
    void TearDown() override
    {
        EXPECT_TRUE(WaitForWorkers()) << "a worker is still running";
        delete AuthInfo;
        AuthInfo = nullptr;
        delete ThreadManager;
        ThreadManager = nullptr;
        PeopleFixture::TearDown();
    }
    // Runs the main thread's events until every worker has ended.
    static bool WaitForWorkers(int ms = 20000)
    {
        const QDeadlineTimer deadline(ms);
        while (ThreadManager->Count() > 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::processEvents();
        return ThreadManager->Count() == 0;
    }
    static TFakePerson FakePerson(int uid, bool online = false) { return TFakePerson::Named(uid, online); }

    TFakeVkApi FApi;
};
