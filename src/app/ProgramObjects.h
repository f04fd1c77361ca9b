#pragma once

#include "net/HttpOptions.h"
#include "support/Deployment.h"
#include "vk/ApiAccess.h"
#include "vk/VKStoredUser.h"

class TProgramSettings;
class TAuthInfo;

// The program-wide objects, made before any window in their fixed order and destroyed in the
// reverse order: the display version, the worker registry, the settings, the account session,
// the instance counter.
class TProgramObjects {
public:
    TProgramObjects();
    ~TProgramObjects();
    TProgramObjects(const TProgramObjects&) = delete;
    TProgramObjects& operator=(const TProgramObjects&) = delete;
};

// The program's one settings object and one account session. Only the program's top layers read
// them; what the layers below need is taken from them here and handed down.
extern TProgramSettings* Settings;
extern TAuthInfo* AuthInfo;

// The [Deployment] values of the settings (the compiled-in ones while there are no settings).
const TDeploymentValues& Deployment();
// The proxy of the settings and the deployment's certificate authorities, as they are now.
THttpOptions CurrentHttpOptions();
// Where and as whom a request to the VK API goes, as things are now.
TApiAccess CurrentApiAccess();
// The folders of the listed people in the user data.
TPeopleFolders PeopleFolders();
