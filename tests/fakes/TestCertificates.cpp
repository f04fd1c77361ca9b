#include "TestCertificates.h"

#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {
using TKey = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using TCert = std::unique_ptr<X509, decltype(&X509_free)>;

TKey NewKey()
{
    return TKey(EVP_EC_gen("P-256"), EVP_PKEY_free);
}

void AddExtension(X509* cert, X509* issuer, int nid, const char* value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    if (!extension)
        throw std::runtime_error("bad certificate extension");
    X509_add_ext(cert, extension, -1);
    X509_EXTENSION_free(extension);
}

TCert NewCert(EVP_PKEY* key, const char* commonName, X509* issuer, EVP_PKEY* issuerKey, long serial)
{
    TCert cert(X509_new(), X509_free);
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 7L * 24 * 3600);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>(commonName),
                               -1, -1, 0);
    X509* signer = issuer ? issuer : cert.get();
    X509_set_issuer_name(cert.get(), X509_get_subject_name(signer));
    if (issuer) {
        AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE");
        AddExtension(cert.get(), signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
    } else {
        AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:TRUE");
        AddExtension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    }
    X509_sign(cert.get(), issuerKey ? issuerKey : key, EVP_sha256());
    return cert;
}

void WritePem(const QString& path, const std::function<int(FILE*)>& write)
{
    FILE* file = std::fopen(path.toLocal8Bit().constData(), "w");
    if (!file || write(file) != 1)
        throw std::runtime_error("cannot write test certificate");
    std::fclose(file);
}
}

TTestCertificates::TTestCertificates()
{
    static long serial = 1;
    TKey caKey = NewKey();
    const std::string caName = "Peerglow Test CA " + std::to_string(serial);
    TCert ca = NewCert(caKey.get(), caName.c_str(), nullptr, nullptr, serial++);
    TKey serverKey = NewKey();
    TCert server = NewCert(serverKey.get(), "127.0.0.1", ca.get(), caKey.get(), serial++);
    WritePem(CAFile(), [&](FILE* f) { return PEM_write_X509(f, ca.get()); });
    WritePem(CertFile(), [&](FILE* f) { return PEM_write_X509(f, server.get()); });
    WritePem(KeyFile(), [&](FILE* f) {
        return PEM_write_PrivateKey(f, serverKey.get(), nullptr, nullptr, 0, nullptr, nullptr);
    });
    // Leave no note in this thread's OpenSSL error queue for a client to mistake for its own.
    ERR_clear_error();
}

const TTestCertificates& TTestCertificates::Shared()
{
    static const TTestCertificates shared;
    return shared;
}
