#include "FakeHttpsServer.h"

#include <httplib.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {
bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(x) == std::tolower(y); });
}
}

std::string TFakeRequest::Header(const std::string& name) const
{
    for (const auto& [key, value] : Headers)
        if (SameName(key, name))
            return value;
    return {};
}

bool TFakeRequest::HasHeader(const std::string& name) const
{
    return std::any_of(Headers.begin(), Headers.end(), [&](const auto& h) { return SameName(h.first, name); });
}

std::string GzipCompress(const std::string& data)
{
    z_stream stream {};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out(deflateBound(&stream, uLong(data.size())) + 64, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

TFakeHttpsServer::TFakeHttpsServer(const TTestCertificates& certificates)
    : FServer(std::make_unique<httplib::SSLServer>(certificates.CertFile().toLocal8Bit().constData(),
                                                   certificates.KeyFile().toLocal8Bit().constData()))
{
    FServer->Get(".*", [this](const httplib::Request& in, httplib::Response& out) {
        TFakeRequest request {in.method, in.path, in.target, {in.headers.begin(), in.headers.end()}};
        TFakeResponse response;
        Serve(request, response);
        if (response.Drop) {
            out.set_content_provider(1, "text/plain", [](size_t, size_t, httplib::DataSink&) { return false; });
            return;
        }
        out.status = response.Status;
        for (const auto& [name, value] : response.Headers)
            out.set_header(name, value);
        if (response.Gzip) {
            out.set_header("Content-Encoding", "gzip");
            out.set_content(GzipCompress(response.Body), "application/octet-stream");
            out.set_header("Content-Type", response.ContentType);
        } else {
            out.set_content(response.Body, response.ContentType.c_str());
        }
    });
    // One request a connection: a server that ends must not wait out a client's keep-alive.
    FServer->set_keep_alive_max_count(1);
    FPort = FServer->bind_to_any_port("127.0.0.1");
    if (FPort <= 0)
        throw std::runtime_error("fake server cannot bind");
    FThread = std::thread([this] { FServer->listen_after_bind(); });
    while (!FServer->is_running()) // a stop() before the loop runs would be lost
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

TFakeHttpsServer::~TFakeHttpsServer()
{
    {
        std::lock_guard lock(FMutex);
        FStopped = true;
    }
    FStopping.notify_all();
    FServer->stop();
    FThread.join();
}

void TFakeHttpsServer::Serve(const TFakeRequest& request, TFakeResponse& response)
{
    TFakeHandler handler;
    {
        std::lock_guard lock(FMutex);
        FRequests.push_back(request);
        const auto found = FHandlers.find(request.Path);
        if (found != FHandlers.end())
            handler = found->second;
    }
    if (!handler) {
        response.Status = 404;
        response.Body = "not found";
        return;
    }
    response = handler(request);
    if (response.DelayMs > 0) {
        std::unique_lock lock(FMutex);
        FStopping.wait_for(lock, std::chrono::milliseconds(response.DelayMs), [this] { return FStopped; });
    }
}

void TFakeHttpsServer::On(const std::string& path, const TFakeResponse& response)
{
    On(path, [response](const TFakeRequest&) { return response; });
}

void TFakeHttpsServer::On(const std::string& path, TFakeHandler handler)
{
    std::lock_guard lock(FMutex);
    FHandlers[path] = std::move(handler);
}

QString TFakeHttpsServer::HostPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(FPort);
}

QString TFakeHttpsServer::Url(const std::string& target) const
{
    return QStringLiteral("https://") + HostPort() + QString::fromStdString(target);
}

std::vector<TFakeRequest> TFakeHttpsServer::Requests() const
{
    std::lock_guard lock(FMutex);
    return FRequests;
}
