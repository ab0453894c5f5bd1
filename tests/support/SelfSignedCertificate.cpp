#include "SelfSignedCertificate.h"

#include <openssl/pem.h>
#include <openssl/x509v3.h>

#include <cstdio>

namespace {

bool addExtension(X509* certificate, int nid, const char* value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    if (extension == nullptr) return false;
    bool added = X509_add_ext(certificate, extension, -1) == 1;
    X509_EXTENSION_free(extension);
    return added;
}

} // namespace

SelfSignedCertificate::SelfSignedCertificate(const std::string& altNames) {
    if (!build(altNames)) {
        X509_free(m_certificate);
        EVP_PKEY_free(m_key);
        m_certificate = nullptr;
        m_key = nullptr;
    }
}

SelfSignedCertificate::~SelfSignedCertificate() {
    X509_free(m_certificate);
    EVP_PKEY_free(m_key);
}

bool SelfSignedCertificate::build(const std::string& altNames) {
    m_key = EVP_EC_gen("P-256");
    m_certificate = X509_new();
    if (m_key == nullptr || m_certificate == nullptr) return false;
    X509_set_version(m_certificate, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(m_certificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(m_certificate), -60);
    X509_gmtime_adj(X509_getm_notAfter(m_certificate), 24 * 60 * 60);
    X509_set_pubkey(m_certificate, m_key);
    X509_NAME* name = X509_get_subject_name(m_certificate);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("localhost"), -1, -1, 0);
    X509_set_issuer_name(m_certificate, name);
    return addExtension(m_certificate, NID_basic_constraints, "critical,CA:TRUE") &&
           addExtension(m_certificate, NID_subject_key_identifier, "hash") &&
           addExtension(m_certificate, NID_subject_alt_name, altNames.c_str()) &&
           X509_sign(m_certificate, m_key, EVP_sha256()) > 0;
}

bool SelfSignedCertificate::writePem(const std::string& path) const {
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return false;
    bool written = PEM_write_X509(file, m_certificate) == 1;
    return std::fclose(file) == 0 && written;
}
