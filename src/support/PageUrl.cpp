#include "PageUrl.h"

#include "TextUtils.h"

#include <QUrl>

namespace {
// A deployment host may carry a port ("127.0.0.1:8443"); an address on it must name that port.
bool IsSiteHost(const QUrl& url, const QString& site)
{
    if (site.isEmpty())
        return false;
    const QUrl siteUrl(QStringLiteral("http://") + site.toLower());
    if (url.host() != siteUrl.host())
        return false;
    return siteUrl.port() == -1 || url.port() == siteUrl.port();
}
}

bool NormalizePageUrl(QString& url, const TDeploymentValues& hosts)
{
    if (!url.contains(QStringLiteral("://")))
        return false;
    const QUrl parsed(url, QUrl::TolerantMode);
    if (!parsed.isValid())
        return false;
    const bool onCurrent = IsSiteHost(parsed, hosts.SiteHost);
    if (!onCurrent && !IsSiteHost(parsed, hosts.LegacySiteHost))
        return false;

    // Lower-cased once the escapes are decoded: "%41" is an "A" that must become "a" now, not in
    // the next normalisation.
    QString rest = parsed.path(QUrl::FullyEncoded);
    if (parsed.hasQuery())
        rest += QLatin1Char('?') + parsed.query(QUrl::FullyEncoded);
    rest = rest.toLower();
    if (rest.size() < 4)
        return false;

    const QUrl site(QStringLiteral("http://") + hosts.SiteHost.toLower());
    const int port = site.port() != -1 ? site.port() : parsed.port();
    QString rebuilt = QStringLiteral("http://") + site.host();
    if (port != -1 && port != 80)
        rebuilt += QLatin1Char(':') + QString::number(port);
    url = rebuilt + rest;
    return true;
}

QString PageIdFromTypedAddress(const QString& typed, const TDeploymentValues& site)
{
    const QString text = typed.toLower().trimmed();
    bool isNumber = false;
    if (text.toInt(&isNumber, 10) > 0 && isNumber)
        return QStringLiteral("id") + text;
    const QString path = StripPrefix(text, {QStringLiteral("http://"), QStringLiteral("https://")});
    QStringList hosts;
    for (const QString& host : {site.SiteHost, site.LegacySiteHost})
        if (!host.isEmpty())
            hosts << host.toLower() + QLatin1Char('/');
    return StripPrefix(path, hosts);
}
