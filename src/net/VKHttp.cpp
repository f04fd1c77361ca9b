#include "VKHttp.h"

#include "HttpErrors.h"
#include "base/Cp1251.h"
#include "base/Thread.h"

#include <QIODevice>
#include <QStringDecoder>
#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {
const char UserAgent[] = "Peerglow " PEERGLOW_VERSION;

struct TTransfer {
    const std::function<bool(const char*, size_t)>* Sink;
    qint64 Received = 0;
    qint64 Limit = 0;
    bool TooLarge = false;
    bool SinkFailed = false;
    std::function<void(const QByteArray&)> OnHeader;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<TTransfer*>(user);
    const size_t bytes = size * count;
    transfer->Received += qint64(bytes);
    if (transfer->Received > transfer->Limit) {
        transfer->TooLarge = true;
        return 0;
    }
    if (!(*transfer->Sink)(data, bytes)) {
        transfer->SinkFailed = true;
        return 0;
    }
    return bytes;
}

size_t WriteHeader(char* data, size_t size, size_t count, void* user)
{
    static_cast<TTransfer*>(user)->OnHeader(QByteArray(data, qsizetype(size * count)));
    return size * count;
}

int Progress(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return TThread::CurrentTerminated() ? 1 : 0;
}

QString CurlText(CURLcode code, const char* detail)
{
    return QString::fromUtf8(detail && *detail ? detail : curl_easy_strerror(code));
}

[[noreturn]] void RaiseTransportError(CURLcode code, const char* detail)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        throw ESocketError(11001, QStringLiteral("Host not found."));
    case CURLE_OPERATION_TIMEDOUT:
        throw ESocketError(10060, QStringLiteral("Connection timed out."));
    case CURLE_COULDNT_CONNECT:
        throw ESocketError(10061, QStringLiteral("Connection refused."));
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
        throw ESocketError(10054, QStringLiteral("Connection reset by peer."));
    case CURLE_ABORTED_BY_CALLBACK:
        throw Exception(QStringLiteral("Operation aborted."));
    default:
        throw Exception(CurlText(code, detail));
    }
}

// Header values must not smuggle further header lines in.
QByteArray OneLine(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\r', ' ').replace('\n', ' ');
    return bytes;
}

// What every request shares: TLS sessions and open connections, so that a refresh every few
// seconds and its pictures do not each pay a new TLS handshake. Never freed: requests cut off at
// exit may still use it while the process ends.
struct TShared {
    CURLSH* Handle = nullptr;
    std::mutex Locks[CURL_LOCK_DATA_LAST];
};

TShared& Shared()
{
    static TShared* shared = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        auto* created = new TShared;
        created->Handle = curl_share_init();
        curl_share_setopt(created->Handle, CURLSHOPT_LOCKFUNC,
                          +[](CURL*, curl_lock_data data, curl_lock_access, void* user) {
                              static_cast<TShared*>(user)->Locks[data].lock();
                          });
        curl_share_setopt(created->Handle, CURLSHOPT_UNLOCKFUNC, +[](CURL*, curl_lock_data data, void* user) {
            static_cast<TShared*>(user)->Locks[data].unlock();
        });
        curl_share_setopt(created->Handle, CURLSHOPT_USERDATA, created);
        curl_share_setopt(created->Handle, CURLSHOPT_SHARE, CURL_LOCK_DATA_SSL_SESSION);
        curl_share_setopt(created->Handle, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
        curl_share_setopt(created->Handle, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        return created;
    }();
    return *shared;
}
}

TVKHttp_::TVKHttp_(const THttpOptions& options) : FProxy(options.Proxy), FCAFile(options.CAFile)
{
    Shared();
}

void TVKHttp_::SetTimeouts(int connectMs, int totalMs)
{
    FConnectTimeoutMs = connectMs;
    FTimeoutMs = totalMs;
}

QString TVKHttp_::ResponseCharset() const
{
    for (const QString& part : FContentType.split(QLatin1Char(';'))) {
        const QString trimmed = part.trimmed();
        if (trimmed.startsWith(QStringLiteral("charset="), Qt::CaseInsensitive))
            return trimmed.mid(8).remove(QLatin1Char('"')).trimmed();
    }
    return {};
}

void TVKHttp_::OnHeaderLine(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    // A new status line starts a new answer (a proxy's tunnel answer comes first).
    if (trimmed.startsWith("HTTP/")) {
        FStatusLine = QString::fromLatin1(trimmed);
        FLocation.clear();
        FContentType.clear();
        return;
    }
    const qsizetype colon = trimmed.indexOf(':');
    if (colon <= 0)
        return;
    const QByteArray name = trimmed.left(colon).trimmed().toLower();
    const QString value = QString::fromLatin1(trimmed.mid(colon + 1).trimmed());
    if (name == "location")
        FLocation = value;
    else if (name == "content-type")
        FContentType = value;
}

void TVKHttp_::Perform(const QString& url, const std::function<bool(const char*, size_t)>& sink)
{
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        throw Exception(QStringLiteral("Out of memory"));
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(nullptr, curl_slist_free_all);
    const auto addHeader = [&headers](const QByteArray& line) {
        headers.reset(curl_slist_append(headers.release(), line.constData()));
    };
    addHeader("Accept: */*");
    if (!FCookie.isEmpty())
        addHeader("Cookie: " + OneLine(FCookie));

    TTransfer transfer {&sink, 0, FMaxBodySize, false, false, [this](const QByteArray& l) { OnHeaderLine(l); }};
    char errorText[CURL_ERROR_SIZE] = {};
    const QByteArray address = url.toUtf8();
    CURL* h = curl.get();
    curl_easy_setopt(h, CURLOPT_SHARE, Shared().Handle);
    curl_easy_setopt(h, CURLOPT_URL, address.constData());
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_USERAGENT, UserAgent);
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "gzip");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, long(FConnectTimeoutMs));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, long(FTimeoutMs));
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
    const QByteArray caFile = FCAFile.toLocal8Bit();
    if (!caFile.isEmpty())
        curl_easy_setopt(h, CURLOPT_CAINFO, caFile.constData());
    // Explicitly none when disabled, so that no proxy from the environment is used either.
    const QByteArray proxyHost = FProxy.Enabled ? FProxy.Host.toUtf8() : QByteArray();
    const QByteArray proxyUser = FProxy.Username.toUtf8();
    const QByteArray proxyPassword = FProxy.Password.toUtf8();
    curl_easy_setopt(h, CURLOPT_PROXY, proxyHost.constData());
    if (FProxy.Enabled) {
        curl_easy_setopt(h, CURLOPT_PROXYPORT, long(FProxy.Port));
        curl_easy_setopt(h, CURLOPT_PROXYTYPE, long(CURLPROXY_HTTP));
        if (!proxyUser.isEmpty()) {
            curl_easy_setopt(h, CURLOPT_PROXYUSERNAME, proxyUser.constData());
            curl_easy_setopt(h, CURLOPT_PROXYPASSWORD, proxyPassword.constData());
        }
    }
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, WriteBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, WriteHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, Progress);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode result = curl_easy_perform(h);
    long code = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &code);
    long connectCode = 0;
    curl_easy_getinfo(h, CURLINFO_HTTP_CONNECTCODE, &connectCode);
    FResponseCode = int(code ? code : connectCode);
    if (transfer.TooLarge)
        throw Exception(QStringLiteral("Ответ сервера слишком велик"));
    if (transfer.SinkFailed)
        throw Exception(QStringLiteral("Не удалось сохранить ответ сервера"));
    if (FResponseCode >= 300)
        throw EHttpStatusError(FResponseCode, FStatusLine, FLocation);
    if (result != CURLE_OK)
        RaiseTransportError(result, errorText);
}

QByteArray TVKHttp_::Get(const QString& url)
{
    QByteArray body;
    Perform(url, [&body](const char* data, size_t size) {
        body.append(data, qsizetype(size));
        return true;
    });
    return body;
}

void TVKHttp_::Get(const QString& url, QIODevice& target)
{
    Perform(url, [&target](const char* data, size_t size) { return target.write(data, qint64(size)) == qint64(size); });
}

QString DecodeBody(const QByteArray& body, const QString& charset)
{
    const QString name = charset.toLower();
    if (name == QStringLiteral("windows-1251") || name == QStringLiteral("cp1251"))
        return DecodeCp1251(body);
    QStringDecoder decoder(name.isEmpty() ? "utf-8" : name.toLatin1().constData());
    if (!decoder.isValid())
        return QString::fromUtf8(body);
    return decoder.decode(body);
}

QString HttpGet(const QString& url, const QString& cookie, const THttpOptions& options)
{
    TVKHttp http(options);
    http.SetCookie(cookie);
    const QByteArray body = http.Get(url);
    return DecodeBody(body, http.ResponseCharset());
}

QString GetHttpErrorText(const std::exception& error)
{
    if (const auto* status = dynamic_cast<const EHttpStatusError*>(&error)) {
        if (status->ErrorCode() == 404)
            return QStringLiteral("Такая страница не найдена на сайте");
        if (status->ErrorCode() == 500)
            return QStringLiteral("На сервере произошел сбой");
        // A proxy says so only in its reason phrase.
        if (status->Message().contains(QStringLiteral("Host not found")))
            return QStringLiteral("Проблема с интернет-подключением либо сайт сейчас недоступен");
    }
    if (const auto* socket = dynamic_cast<const ESocketError*>(&error)) {
        if (socket->SocketCode() == 11001)
            return QStringLiteral("Не удалось подключиться к сайту. Проверьте подключение к интернету или попробуйте позже");
        if (socket->SocketCode() == 10060)
            return QStringLiteral("Сайт не отвечает. Возможно, ваш антивирус или брандмауэр блокирует программу");
    }
    const auto* own = dynamic_cast<const Exception*>(&error);
    return own ? own->Message() : QString::fromLocal8Bit(error.what());
}
