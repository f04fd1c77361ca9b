#pragma once

#include "net/HttpOptions.h"

#include <QString>

// What a request to the VK API needs, taken on the main thread when the work is made.
struct TApiAccess {
    QString ApiHost;
    QString Token;
    QString Secret;
    THttpOptions Http;
};
