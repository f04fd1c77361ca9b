#pragma once

#include "Deployment.h"

#include <QString>

// Brings an address on the VK site to its current form; the address changes only when true.
bool NormalizePageUrl(QString& url, const TDeploymentValues& hosts);

// The page id of what a user typed to add a person: a positive number is "id" and the number as
// typed; otherwise an address on the site (current or legacy host) loses its scheme and host.
QString PageIdFromTypedAddress(const QString& typed, const TDeploymentValues& site);
