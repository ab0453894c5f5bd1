#ifndef TOLKMAPS_TESTS_SELFSIGNEDCERTIFICATE_H
#define TOLKMAPS_TESTS_SELFSIGNEDCERTIFICATE_H

#include <openssl/evp.h>
#include <openssl/x509.h>

#include <string>

// A throwaway P-256 key and a self-signed certificate, valid for a day, that
// also acts as its own authority: a client given `writePem`'s file verifies a
// server presenting it. The host names are subject alternative names in
// OpenSSL's notation ("DNS:name,IP:address").
class SelfSignedCertificate {
public:
    explicit SelfSignedCertificate(
        const std::string& altNames = "DNS:localhost,IP:127.0.0.1");
    ~SelfSignedCertificate();
    SelfSignedCertificate(const SelfSignedCertificate&) = delete;
    SelfSignedCertificate& operator=(const SelfSignedCertificate&) = delete;

    bool isValid() const { return m_key != nullptr && m_certificate != nullptr; }
    EVP_PKEY* key() const { return m_key; }
    X509* certificate() const { return m_certificate; }
    // Writes the certificate as PEM; false when the file cannot be written.
    bool writePem(const std::string& path) const;

private:
    bool build(const std::string& altNames);

    EVP_PKEY* m_key = nullptr;
    X509* m_certificate = nullptr;
};

#endif
