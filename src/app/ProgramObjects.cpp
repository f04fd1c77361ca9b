#include "ProgramObjects.h"

#include "ManagedThreads.h"
#include "support/DisplayVersion.h"
#include "support/ProgramSettings.h"
#include "vk/AuthInfo.h"
#include "vk/InstanceCounter.h"

TProgramObjects::TProgramObjects()
{
    DisplayVersion();
    ThreadManager = new TThreadManager;
    Settings = new TProgramSettings;
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
