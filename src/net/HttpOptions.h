#pragma once

#include <QString>

struct TProxySettings {
    bool Enabled = false;
    QString Username;
    QString Password;
    QString Host;
    int Port = 0;
};

// What a client takes from the settings and the deployment when it is made. A worker is given
// its copy on the main thread, when it is created, and reads nothing shared afterwards.
struct THttpOptions {
    TProxySettings Proxy;
    QString CAFile;
};
