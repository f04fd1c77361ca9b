#include "FuzzMain.h"

#include "support/DateTimeText.h"
#include "support/PageUrl.h"
#include "vk/UserInfo.h"

// Page addresses and date-time texts: normalising an address twice changes nothing more, and a
// moment written and read back is written the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    EnsureApplication();
    const QString text = QString::fromUtf8(Bytes(data, size));
    TDeploymentValues site;
    site.SiteHost = QStringLiteral("127.0.0.1:8443");
    for (const TDeploymentValues& hosts : {TDeploymentValues(), site}) {
        QString url = text;
        if (NormalizePageUrl(url, hosts)) {
            QString twice = url;
            NormalizePageUrl(twice, hosts);
            FUZZ_ASSERT(twice == url);
        }
        PageIdFromTypedAddress(text, hosts);
    }
    // Compared as texts: a local time in the hour repeated when clocks go back reads back as its
    // first occurrence, which is the same text.
    const auto readsBack = [](const QDateTime& moment) {
        const QString written = DateTimeToText(moment);
        return DateTimeToText(TextToDateTime(written)) == written;
    };
    const QDateTime read = TextToDateTime(text);
    if (read.isValid())
        FUZZ_ASSERT(readsBack(read));
    try {
        FUZZ_ASSERT(readsBack(UnixTimeToLocal(text)));
    } catch (const std::exception&) {
    }
    return 0;
}
