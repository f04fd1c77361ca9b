#include "base/Thread.h"
#include "fakes/FakeHttpsServer.h"
#include "fakes/FakeProxy.h"
#include "fakes/TestSettings.h"
#include "net/HttpErrors.h"
#include "net/VKHttp.h"
#include "support/ProgramSettings.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class HttpClientTest : public ::testing::Test {
protected:
    // The user-facing text of what a GET of the path raises; empty when it succeeds.
    QString ErrorTextOf(const QString& url, int timeoutMs = 60000)
    {
        try {
            TVKHttp http(CurrentHttpOptions());
            http.SetTimeouts(timeoutMs, timeoutMs);
            http.Get(url);
        } catch (const std::exception& error) {
            return GetHttpErrorText(error);
        }
        return {};
    }
    void UseProxy(bool enabled, int port, const QString& user, const QString& password)
    {
        Settings->SetProxy({enabled, user, password, "127.0.0.1", port});
    }

    TTestSettings FSettings;
    TFakeHttpsServer FServer;
};
}

TEST_F(HttpClientTest, StatusErrorsGiveTheirTexts)
{
    FServer.On("/error", Answer(500, "oops"));
    FServer.On("/forbidden", Answer(403, "no"));
    struct Case { const char* path; QString expected; };
    const Case cases[] = {
        {"/missing", "Такая страница не найдена на сайте"},
        {"/error", "На сервере произошел сбой"},
        {"/forbidden", "HTTP/1.1 403 Forbidden"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ErrorTextOf(FServer.Url(c.path)), c.expected) << c.path;
}

TEST_F(HttpClientTest, RedirectIsAnErrorCarryingItsLocation)
{
    TFakeResponse redirect = Answer(302, "");
    redirect.Headers = {{"Location", "https://example.test/blank.html#access_token=abc"}};
    FServer.On("/authorize", redirect);
    FServer.On("/blank.html", Answer(200, "followed"));
    TVKHttps http(CurrentHttpOptions());
    try {
        http.Get(FServer.Url("/authorize"));
        FAIL() << "a 302 must be an error";
    } catch (const EHttpStatusError& error) {
        EXPECT_EQ(error.ErrorCode(), 302);
        EXPECT_EQ(error.Location(), "https://example.test/blank.html#access_token=abc");
    }
    EXPECT_EQ(http.ResponseLocation(), "https://example.test/blank.html#access_token=abc");
    EXPECT_EQ(FServer.Requests().size(), 1u);
}

TEST_F(HttpClientTest, SendsItsHeadersAndDecodesGzip)
{
    TFakeResponse packed = Answer(200, "<response>Привет</response>");
    packed.Gzip = true;
    packed.ContentType = "text/xml; charset=utf-8";
    FServer.On("/packed", packed);
    EXPECT_EQ(HttpGet(FServer.Url("/packed?x=1"), "", CurrentHttpOptions()), "<response>Привет</response>");
    EXPECT_EQ(HttpGet(FServer.Url("/packed"), "remixsid=abc; path=/", CurrentHttpOptions()), "<response>Привет</response>");

    const std::vector<TFakeRequest> requests = FServer.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].Target, "/packed?x=1");
    EXPECT_EQ(requests[0].Header("Accept"), "*/*");
    EXPECT_EQ(requests[0].Header("Accept-Encoding"), "gzip");
    EXPECT_EQ(requests[0].Header("User-Agent"), "Peerglow 10.5.9.0");
    EXPECT_FALSE(requests[0].HasHeader("Cookie"));
    EXPECT_EQ(requests[1].Header("Cookie"), "remixsid=abc; path=/");
    EXPECT_EQ(requests[1].Headers.count("Cookie"), 1u);
}

TEST_F(HttpClientTest, BodyIsDecodedInItsDeclaredCharacterSet)
{
    TFakeResponse legacy = Answer(200, "\xCF\xF0\xE8\xE2\xE5\xF2");
    legacy.ContentType = "text/html; charset=windows-1251";
    FServer.On("/legacy", legacy);
    EXPECT_EQ(HttpGet(FServer.Url("/legacy"), "", CurrentHttpOptions()), "Привет");
}

TEST_F(HttpClientTest, FailuresBelowHttpGiveTheirTexts)
{
    TFakeResponse slow = Answer(200, "late");
    slow.DelayMs = 10000;
    FServer.On("/slow", slow);
    TFakeResponse dropped;
    dropped.Drop = true;
    FServer.On("/drop", dropped);
    EXPECT_EQ(ErrorTextOf("https://nonexistent.invalid/users.get"),
              "Не удалось подключиться к сайту. Проверьте подключение к интернету или попробуйте позже");
    EXPECT_EQ(ErrorTextOf(FServer.Url("/slow"), 500),
              "Сайт не отвечает. Возможно, ваш антивирус или брандмауэр блокирует программу");
    EXPECT_TRUE(ErrorTextOf(FServer.Url("/drop")).startsWith("Socket Error # "));
}

TEST_F(HttpClientTest, CertificateOfAnUnknownAuthorityIsRefused)
{
    TTestCertificates stranger;
    TFakeHttpsServer impostor(stranger);
    impostor.On("/", Answer(200, "trust me"));
    const QString text = ErrorTextOf(impostor.Url("/"));
    EXPECT_FALSE(text.isEmpty());
    EXPECT_TRUE(text.contains("certificate", Qt::CaseInsensitive)) << "[" << text.toStdString() << "]";
    EXPECT_TRUE(impostor.Requests().empty());
    // Without our test authority, the system's store does not know the fake server either.
    Settings->SetDeployment({});
    FServer.On("/", Answer(200, "ok"));
    EXPECT_FALSE(ErrorTextOf(FServer.Url("/")).isEmpty());
}

TEST_F(HttpClientTest, ProxyIsUsedOnlyWhenEnabledAndWithItsCredentials)
{
    FServer.On("/ok", Answer(200, "through"));
    TFakeProxy proxy("user", "сек рет");

    UseProxy(false, proxy.Port(), "user", "сек рет");
    EXPECT_EQ(HttpGet(FServer.Url("/ok"), "", CurrentHttpOptions()), "through");
    EXPECT_EQ(proxy.Tunnels() + proxy.Refusals(), 0);

    UseProxy(true, proxy.Port(), "user", "сек рет");
    EXPECT_EQ(HttpGet(FServer.Url("/ok"), "", CurrentHttpOptions()), "through");
    EXPECT_EQ(proxy.Tunnels(), 1);

    UseProxy(true, proxy.Port(), "user", "wrong");
    EXPECT_FALSE(ErrorTextOf(FServer.Url("/ok")).isEmpty());
    EXPECT_EQ(proxy.Refusals(), 1);
    EXPECT_EQ(FServer.Requests().size(), 2u);
}

TEST_F(HttpClientTest, BodiesOverTheLimitAreRefusedAlsoWhenTheyGrowOnDecoding)
{
    TFakeResponse bomb = Answer(200, std::string(size_t(ApiBodyLimit) + 1, '0'));
    bomb.Gzip = true;
    FServer.On("/bomb", bomb);
    FServer.On("/picture", Answer(200, std::string(size_t(PictureBodyLimit) + 1, 'p')));
    EXPECT_EQ(ErrorTextOf(FServer.Url("/bomb")), "Ответ сервера слишком велик");

    TVKHttp http(CurrentHttpOptions());
    http.SetMaxBodySize(PictureBodyLimit);
    QBuffer target;
    target.open(QIODevice::WriteOnly);
    EXPECT_THROW(http.Get(FServer.Url("/picture"), target), Exception);
    EXPECT_LE(target.size(), PictureBodyLimit);
}

TEST_F(HttpClientTest, TerminatingTheWorkerEndsItsRequestPromptly)
{
    TFakeResponse slow = Answer(200, "late");
    slow.DelayMs = 20000;
    FServer.On("/slow", slow);
    class TWorker : public TThread {
    public:
        explicit TWorker(QString url) : FUrl(std::move(url)) {}
        QString Error;
    protected:
        void Execute() override
        {
            try {
                TVKHttp(CurrentHttpOptions()).Get(FUrl);
            } catch (const std::exception& error) {
                Error = GetHttpErrorText(error);
            }
        }
    private:
        QString FUrl;
    } worker(FServer.Url("/slow"));
    worker.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    QElapsedTimer timer;
    timer.start();
    worker.Terminate();
    worker.WaitFor();
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_FALSE(worker.Error.isEmpty());
}

TEST(HttpErrorText, DependsOnTheKindOfError)
{
    struct Case { std::function<void()> raise; QString expected; };
    const Case cases[] = {
        {[] { throw EHttpStatusError(404, "HTTP/1.1 404 Not Found", ""); }, "Такая страница не найдена на сайте"},
        {[] { throw EHttpStatusError(502, "Host not found", ""); },
         "Проблема с интернет-подключением либо сайт сейчас недоступен"},
        {[] { throw ESocketError(10061, "Host not found"); }, "Socket Error # 10061\nHost not found"},
        {[] { throw ESocketError(11001, "Host not found."); },
         "Не удалось подключиться к сайту. Проверьте подключение к интернету или попробуйте позже"},
        {[] { throw Exception("Неправильный адрес пользователя"); }, "Неправильный адрес пользователя"},
        {[] { throw std::runtime_error("plain"); }, "plain"},
    };
    for (const Case& c : cases) {
        try {
            c.raise();
        } catch (const std::exception& error) {
            EXPECT_EQ(GetHttpErrorText(error), c.expected);
        }
    }
}
