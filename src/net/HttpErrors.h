#pragma once

#include "base/Exception.h"

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

// A failure below HTTP, numbered as Windows sockets number them (11001 name not resolved, 10060
// timed out, 10061 refused, 10054 reset); the message reads as the Windows program's did.
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
