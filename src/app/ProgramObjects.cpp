#include "ProgramObjects.h"

#include "base/ManagedThreads.h"
#include "support/Directories.h"
#include "support/DisplayVersion.h"
#include "support/ProgramSettings.h"
#include "vk/AuthInfo.h"
#include "vk/InstanceCounter.h"

TProgramSettings* Settings = nullptr;
TAuthInfo* AuthInfo = nullptr;

TProgramObjects::TProgramObjects()
{
    DisplayVersion();
    ThreadManager = new TThreadManager;
    Settings = new TProgramSettings(UserDataDir() + QStringLiteral("Settings.ini"));
    AuthInfo = new TAuthInfo;
    InstanceCounter = new TInstanceCounter;
}

TProgramObjects::~TProgramObjects()
{
    // Workers cut off at exit end on their own, and a stored person freed there still counts
    // itself out of the instance counter: give them a moment before it goes.
    WaitForAllThreadsEnded(2000);
    delete InstanceCounter;
    InstanceCounter = nullptr;
    // Not saved here either: the session is saved whenever it changes.
    delete AuthInfo;
    AuthInfo = nullptr;
    // Not saved here: the main window saved the settings when it closed.
    delete Settings;
    Settings = nullptr;
    // Workers still registered are left alone; the main window has already cut them off.
    delete ThreadManager;
    ThreadManager = nullptr;
}

const TDeploymentValues& Deployment()
{
    static const TDeploymentValues compiledIn;
    return Settings ? Settings->Deployment() : compiledIn;
}

THttpOptions CurrentHttpOptions()
{
    return {Settings ? Settings->Proxy() : TProxySettings(), Deployment().CAFile};
}

TPeopleFolders PeopleFolders()
{
    return {UsersDir(), Settings->AvatarsPath()};
}

TApiAccess CurrentApiAccess()
{
    TApiAccess access {Deployment().ApiHost, QString(), QString(), CurrentHttpOptions()};
    if (AuthInfo) {
        access.Token = AuthInfo->Token();
        access.Secret = AuthInfo->Secret();
    }
    return access;
}
