#pragma once

#include <QString>

// Appends the token and the signature: the lower-case MD5 of the path, "&access_token=", the
// token, followed by the secret. The path is used exactly as given.
QString SignApiUrl(const QString& pathAndQuery, const QString& token, const QString& secret);
// "https://", the API host and the signed path.
QString ApiUrl(const QString& apiHost, const QString& pathAndQuery, const QString& token, const QString& secret);
