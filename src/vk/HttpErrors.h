#pragma once

#include "support/Exception.h"

// The server answered with a status of 300 or above.
class EHttpStatusError : public Exception {
public:
    EHttpStatusError(int errorCode, const QString& message, const QString& location)
        : Exception(message), FErrorCode(errorCode), FLocation(location)
    {
    }
    int ErrorCode() const { return FErrorCode; }
    // The answer's Location header (a 302 carries the address it points to).
    const QString& Location() const { return FLocation; }

private:
    int FErrorCode;
    QString FLocation;
};

// A failure below HTTP; the message carries "Socket Error # " and the Windows socket error number
// (11001 name not resolved, 10060 timed out) that the error texts look for.
class ESocketError : public Exception {
public:
    ESocketError(int socketCode, const QString& description)
        : Exception(QStringLiteral("Socket Error # %1\n%2").arg(socketCode).arg(description)),
          FSocketCode(socketCode)
    {
    }
    int SocketCode() const { return FSocketCode; }

private:
    int FSocketCode;
};
