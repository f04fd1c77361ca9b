#include "SignApiUrl.h"

#include "support/TextUtils.h"

QString SignApiUrl(const QString& pathAndQuery, const QString& token, const QString& secret)
{
    const QString signedPart = pathAndQuery + QStringLiteral("&access_token=") + token;
    return signedPart + QStringLiteral("&sig=") + MD5Hex(signedPart + secret, true);
}

QString ApiUrl(const QString& apiHost, const QString& pathAndQuery, const QString& token, const QString& secret)
{
    return QStringLiteral("https://") + apiHost + SignApiUrl(pathAndQuery, token, secret);
}
