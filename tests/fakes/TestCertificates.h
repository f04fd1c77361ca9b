#pragma once

#include <QString>
#include <QTemporaryDir>

// A certificate authority made at test time and a server certificate it signed for 127.0.0.1
// and localhost, as PEM files in a temporary directory.
class TTestCertificates {
public:
    TTestCertificates();
    // The one set most tests share; made on first use.
    static const TTestCertificates& Shared();

    QString CAFile() const { return FDir.path() + "/ca.pem"; }
    QString CertFile() const { return FDir.path() + "/server.pem"; }
    QString KeyFile() const { return FDir.path() + "/server.key"; }

private:
    QTemporaryDir FDir;
};
