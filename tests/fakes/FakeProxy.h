#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP proxy on 127.0.0.1 that only tunnels (CONNECT) to 127.0.0.1, and only for a client
// that sends the expected basic credentials; otherwise it answers 407.
class TFakeProxy {
public:
    TFakeProxy(const std::string& user, const std::string& password);
    ~TFakeProxy();
    TFakeProxy(const TFakeProxy&) = delete;
    TFakeProxy& operator=(const TFakeProxy&) = delete;

    int Port() const { return FPort; }
    int Tunnels() const { return FTunnels; }
    int Refusals() const { return FRefusals; }

private:
    void AcceptLoop();
    void Handle(int client);
    void Tunnel(int client, int target);

    std::string FExpectedAuthorization;
    int FListen = -1;
    int FPort = 0;
    std::atomic<bool> FStop {false};
    std::atomic<int> FTunnels {0};
    std::atomic<int> FRefusals {0};
    std::thread FAcceptor;
    std::mutex FMutex;
    std::vector<std::thread> FConnections;
};
