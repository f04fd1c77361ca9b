#include "support/Deployment.h"
#include "support/PageUrl.h"

#include <gtest/gtest.h>

namespace {
struct Case {
    const char* input;
    bool accepted;
    const char* output; // the address afterwards
};

void Check(const Case& c, const TDeploymentValues& hosts = {})
{
    QString url = QString::fromUtf8(c.input);
    EXPECT_EQ(NormalizePageUrl(url, hosts), c.accepted) << c.input;
    EXPECT_EQ(url.toStdString(), c.output) << c.input;
    // An address in its current form stays as it is.
    QString again = url;
    NormalizePageUrl(again, hosts);
    EXPECT_EQ(again, url) << c.input;
}

using PageUrlTest = ::testing::Test;
}

TEST_F(PageUrlTest, DefaultDomains)
{
    const Case cases[] = {
        {"https://VKontakte.ru/Id123?Z=1#top", true, "http://vk.com/id123?z=1"},
        {"http://vk.com/durov", true, "http://vk.com/durov"},
        {"http://user:pw@vk.com:8080/durov", true, "http://vk.com:8080/durov"},
        {"http://vkontakte.ru:80/durov", true, "http://vk.com/durov"},
        {"http://vk.com/abc", true, "http://vk.com/abc"},
        {"http://vk.com/%41bcd", true, "http://vk.com/abcd"},
        {"http://vk.com/?ab", true, "http://vk.com/?ab"},
        {"http://vk.com/?a", false, "http://vk.com/?a"},
        {"vk.com/Durov", false, "vk.com/Durov"},
        {"http://m.vk.com/Durov", false, "http://m.vk.com/Durov"},
        {"http://vk.com.evil.org/durov", false, "http://vk.com.evil.org/durov"},
        {"http://vk.com/ab", false, "http://vk.com/ab"},
        {"http://vk.com/", false, "http://vk.com/"},
        {"http://VK.com", false, "http://VK.com"},
        {"", false, ""},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(PageUrlTest, DeploymentHostsWithPort)
{
    TDeploymentValues deployment;
    deployment.SiteHost = "127.0.0.1:8443";
    deployment.LegacySiteHost = "legacy.test";
    const Case cases[] = {
        {"http://legacy.test/Some.Page", true, "http://127.0.0.1:8443/some.page"},
        {"https://127.0.0.1:8443/durov", true, "http://127.0.0.1:8443/durov"},
        {"https://127.0.0.1:9999/durov", false, "https://127.0.0.1:9999/durov"},
        {"http://vk.com/durov", false, "http://vk.com/durov"},
    };
    for (const Case& c : cases)
        Check(c, deployment);
}

TEST_F(PageUrlTest, TypedAddressToPageId)
{
    const std::pair<const char*, const char*> cases[] = {
        {" HTTPS://VK.COM/Some.Page ", "some.page"},
        {"http://vkontakte.ru/durov", "durov"},
        {"vk.com/durov", "durov"},
        {"12345", "id12345"},
        {"0042", "id0042"},
        {"-5", "-5"},
        {"0", "0"},
        {"99999999999", "99999999999"}, // no int: a name like any other
        {"http://m.vk.com/durov", "m.vk.com/durov"},
        {"https://vk.com/https://vk.com/x", "https://vk.com/x"},
        {"ftp://vk.com/x", "ftp://vk.com/x"},
        {"Id77", "id77"},
    };
    for (const auto& [typed, pageId] : cases)
        EXPECT_EQ(PageIdFromTypedAddress(QString::fromUtf8(typed), {}).toStdString(), pageId) << typed;

    TDeploymentValues deployment;
    deployment.SiteHost = "127.0.0.1:8443";
    deployment.LegacySiteHost = "";
    EXPECT_EQ(PageIdFromTypedAddress("https://127.0.0.1:8443/Some.Page", deployment), "some.page");
    EXPECT_EQ(PageIdFromTypedAddress("https://vk.com/durov", deployment), "vk.com/durov");
}
