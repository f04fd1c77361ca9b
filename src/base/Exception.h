#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Every failure of the program is an error carrying a user-facing message.
class Exception : public std::exception {
public:
    explicit Exception(const QString& message) : FMessage(message), FUtf8(message.toUtf8()) {}
    const QString& Message() const { return FMessage; }
    const char* what() const noexcept override { return FUtf8.constData(); }

private:
    QString FMessage;
    QByteArray FUtf8;
};
