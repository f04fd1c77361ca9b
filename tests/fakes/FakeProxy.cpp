#include "FakeProxy.h"

#include <QByteArray>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {
bool WaitReadable(int fd, const std::atomic<bool>& stop)
{
    pollfd entry {fd, POLLIN, 0};
    while (!stop) {
        const int ready = poll(&entry, 1, 50);
        if (ready > 0)
            return true;
        if (ready < 0)
            return false;
    }
    return false;
}

void SendAll(int fd, const std::string& text)
{
    send(fd, text.data(), text.size(), MSG_NOSIGNAL);
}

int ConnectLocal(int port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}
}

TFakeProxy::TFakeProxy(const std::string& user, const std::string& password)
    : FExpectedAuthorization("Basic " + QByteArray::fromStdString(user + ":" + password).toBase64().toStdString())
{
    FListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (bind(FListen, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(FListen, 16) != 0
        || getsockname(FListen, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("fake proxy cannot listen");
    FPort = ntohs(address.sin_port);
    FAcceptor = std::thread([this] { AcceptLoop(); });
}

TFakeProxy::~TFakeProxy()
{
    FStop = true;
    FAcceptor.join();
    for (std::thread& connection : FConnections)
        connection.join();
    close(FListen);
}

void TFakeProxy::AcceptLoop()
{
    while (WaitReadable(FListen, FStop)) {
        const int client = accept4(FListen, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        std::lock_guard lock(FMutex);
        FConnections.emplace_back([this, client] {
            Handle(client);
            close(client);
        });
    }
}

void TFakeProxy::Handle(int client)
{
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
        if (!WaitReadable(client, FStop))
            return;
        const ssize_t got = recv(client, buffer, sizeof(buffer), 0);
        if (got <= 0)
            return;
        head.append(buffer, size_t(got));
    }
    const std::string authorizationLine = "\r\nProxy-Authorization: " + FExpectedAuthorization + "\r\n";
    if (head.find(authorizationLine) == std::string::npos) {
        ++FRefusals;
        SendAll(client, "HTTP/1.1 407 Proxy Authentication Required\r\n"
                        "Proxy-Authenticate: Basic realm=\"fake\"\r\nContent-Length: 0\r\n\r\n");
        return;
    }
    const std::string prefix = "CONNECT 127.0.0.1:";
    if (head.compare(0, prefix.size(), prefix) != 0) {
        SendAll(client, "HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\n\r\n");
        return;
    }
    const int target = ConnectLocal(std::stoi(head.substr(prefix.size())));
    if (target < 0) {
        SendAll(client, "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n");
        return;
    }
    ++FTunnels;
    SendAll(client, "HTTP/1.1 200 Connection established\r\n\r\n");
    Tunnel(client, target);
    close(target);
}

void TFakeProxy::Tunnel(int client, int target)
{
    pollfd entries[2] = {{client, POLLIN, 0}, {target, POLLIN, 0}};
    char buffer[16384];
    while (!FStop) {
        if (poll(entries, 2, 50) < 0)
            return;
        for (int i = 0; i < 2; ++i) {
            if (!(entries[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t got = recv(entries[i].fd, buffer, sizeof(buffer), 0);
            if (got <= 0)
                return;
            send(entries[1 - i].fd, buffer, size_t(got), MSG_NOSIGNAL);
        }
    }
}
