#pragma once

#include <QString>

// Brings an address on the VK site to its current form; the address changes only when true.
bool NormalizePageUrl(QString& url);
