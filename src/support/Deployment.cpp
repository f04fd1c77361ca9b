#include "Deployment.h"

#include <mutex>

namespace {
std::mutex DeploymentMutex;
TDeploymentValues& Current()
{
    static TDeploymentValues values;
    return values;
}
}

TDeploymentValues Deployment()
{
    std::lock_guard lock(DeploymentMutex);
    return Current();
}

void SetDeployment(const TDeploymentValues& values)
{
    std::lock_guard lock(DeploymentMutex);
    Current() = values;
}
