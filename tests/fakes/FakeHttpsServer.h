#pragma once

#include "TestCertificates.h"

#include <QString>
#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
}

// What the fake server saw of one request.
struct TFakeRequest {
    std::string Method;
    std::string Path;   // without the query
    std::string Target; // as sent: path and query
    std::multimap<std::string, std::string> Headers;
    std::string Header(const std::string& name) const; // empty when absent
    bool HasHeader(const std::string& name) const;
};

// How the fake server answers a path.
struct TFakeResponse {
    int Status = 200;
    std::string Body;
    std::string ContentType = "text/plain; charset=utf-8";
    std::vector<std::pair<std::string, std::string>> Headers;
    bool Gzip = false;  // send Body gzip-compressed, with its Content-Encoding
    int DelayMs = 0;    // wait before answering (cut short when the server stops)
    bool Drop = false;  // close the connection instead of answering
};

inline TFakeResponse Answer(int status, std::string body)
{
    TFakeResponse response;
    response.Status = status;
    response.Body = std::move(body);
    return response;
}

using TFakeHandler = std::function<TFakeResponse(const TFakeRequest&)>;

// An HTTPS server on 127.0.0.1 with an ephemeral port, answering each path as scripted
// (unscripted paths get 404) and recording every request.
class TFakeHttpsServer {
public:
    explicit TFakeHttpsServer(const TTestCertificates& certificates = TTestCertificates::Shared());
    ~TFakeHttpsServer();
    TFakeHttpsServer(const TFakeHttpsServer&) = delete;
    TFakeHttpsServer& operator=(const TFakeHttpsServer&) = delete;

    void On(const std::string& path, const TFakeResponse& response);
    void On(const std::string& path, TFakeHandler handler);

    int Port() const { return FPort; }
    QString HostPort() const; // "127.0.0.1:port", as a deployment host
    QString Url(const std::string& target) const;
    std::vector<TFakeRequest> Requests() const;

private:
    void Serve(const TFakeRequest& request, TFakeResponse& response);

    std::unique_ptr<httplib::Server> FServer;
    std::thread FThread;
    int FPort = 0;
    mutable std::mutex FMutex;
    std::condition_variable FStopping;
    bool FStopped = false;
    std::map<std::string, TFakeHandler> FHandlers;
    std::vector<TFakeRequest> FRequests;
};

std::string GzipCompress(const std::string& data);
