#pragma once

#include "HttpOptions.h"

#include <QByteArray>
#include <QString>
#include <exception>
#include <functional>

class QIODevice;

// Largest bodies accepted, counted after gzip decoding.
constexpr qint64 ApiBodyLimit = 16 * 1024 * 1024;
constexpr qint64 PictureBodyLimit = 2 * 1024 * 1024;
constexpr qint64 UpdateBodyLimit = 64 * 1024 * 1024;

// The program's HTTP client: the same headers on every request, gzip answers decoded, TLS with
// verified certificates, the proxy of the settings as they were when the client was made,
// redirects never followed. One client per request. A request made on a worker is abandoned
// promptly when that worker is terminated.
class TVKHttp_ {
public:
    explicit TVKHttp_(const THttpOptions& options);
    virtual ~TVKHttp_() = default;

    void SetCookie(const QString& cookie) { FCookie = cookie; }
    void SetMaxBodySize(qint64 bytes) { FMaxBodySize = bytes; }
    void SetTimeouts(int connectMs, int totalMs);

    // Raises EHttpStatusError, ESocketError or Exception on failure.
    QByteArray Get(const QString& url);
    void Get(const QString& url, QIODevice& target);

    const QString& ResponseLocation() const { return FLocation; }
    // The character set the answer declares; empty when it declares none.
    QString ResponseCharset() const;

private:
    void Perform(const QString& url, const std::function<bool(const char*, size_t)>& sink);
    void OnHeaderLine(const QByteArray& line);

    TProxySettings FProxy;
    QString FCAFile;
    QString FCookie;
    qint64 FMaxBodySize = ApiBodyLimit;
    int FConnectTimeoutMs = 15000;
    int FTimeoutMs = 60000;

    int FResponseCode = 0;
    QString FStatusLine;
    QString FLocation;
    QString FContentType;
};

class TVKHttps_ : public TVKHttp_ {
public:
    using TVKHttp_::TVKHttp_;
};
class TVKHttp : public TVKHttps_ {
public:
    using TVKHttps_::TVKHttps_;
};
class TVKHttps : public TVKHttps_ {
public:
    using TVKHttps_::TVKHttps_;
};

// One GET; the body as text in the character set the answer declares (UTF-8 when none).
QString HttpGet(const QString& url, const QString& cookie, const THttpOptions& options);
QString DecodeBody(const QByteArray& body, const QString& charset);

// The user-facing Russian text of a failed request; other errors keep their message.
QString GetHttpErrorText(const std::exception& error);
