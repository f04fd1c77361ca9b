#pragma once

#include <QString>

// Outside addresses; each may be overridden by the [Deployment] section of Settings.ini.
struct TDeploymentValues {
    QString SiteHost = QStringLiteral("vk.com");
    QString LegacySiteHost = QStringLiteral("vkontakte.ru");
    QString ApiHost = QStringLiteral("api.vk.com");
    QString OAuthHost = QStringLiteral("oauth.vk.com");
    QString LoginHost = QStringLiteral("login.vk.com");
    QString AppID = QStringLiteral("0");
    QString ProgramSiteUrl = QStringLiteral("https://peerglow.org/");
    QString GroupUrl = QStringLiteral("https://vk.com/peerglow");
    QString DonateUrl = QStringLiteral("https://peerglow.org/donate");
    QString HaveMeProfileID = QStringLiteral("1");
    QString CAFile;
};
