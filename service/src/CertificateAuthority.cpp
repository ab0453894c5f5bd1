#include "CertificateAuthority.h"

#include <openssl/bn.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct PKeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct X509Free {
    void operator()(X509* cert) const { X509_free(cert); }
};
struct FileClose {
    void operator()(FILE* file) const { fclose(file); }
};
using PKey = std::unique_ptr<EVP_PKEY, PKeyFree>;
using Cert = std::unique_ptr<X509, X509Free>;
using File = std::unique_ptr<FILE, FileClose>;

const long kDay = 24L * 60 * 60;

bool fileExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

File openFile(const std::string& path, const char* mode) {
    File file(fopen(path.c_str(), mode));
    if (!file) throw CertificateError("cannot open " + path + ": " + strerror(errno));
    return file;
}

PKey newKey() {
    PKey key(EVP_EC_gen("P-256"));
    if (!key) throw CertificateError("cannot make a key pair");
    return key;
}

PKey readKey(const std::string& path) {
    File file = openFile(path, "r");
    PKey key(PEM_read_PrivateKey(file.get(), nullptr, nullptr, nullptr));
    if (!key) throw CertificateError("cannot read the key in " + path);
    return key;
}

Cert readCert(const std::string& path) {
    File file = openFile(path, "r");
    Cert cert(PEM_read_X509(file.get(), nullptr, nullptr, nullptr));
    if (!cert) throw CertificateError("cannot read the certificate in " + path);
    return cert;
}

void writeKey(const std::string& path, EVP_PKEY* key) {
    // Private keys are readable by their owner only, from the first byte on.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) throw CertificateError("cannot open " + path + ": " + strerror(errno));
    File file(fdopen(fd, "w"));
    if (!file) {
        ::close(fd);
        throw CertificateError("cannot open " + path);
    }
    if (!PEM_write_PrivateKey(file.get(), key, nullptr, nullptr, 0, nullptr, nullptr))
        throw CertificateError("cannot write " + path);
}

void writeCert(const std::string& path, X509* cert) {
    File file = openFile(path, "w");
    if (!PEM_write_X509(file.get(), cert)) throw CertificateError("cannot write " + path);
}

void addExtension(X509* cert, X509* issuer, int nid, const std::string& value) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
    if (!extension) throw CertificateError("cannot make certificate extension " + value);
    X509_add_ext(cert, extension, -1);
    X509_EXTENSION_free(extension);
}

// A certificate for `key` named `commonName`, valid from now for `days`,
// not yet signed.
Cert newCertificate(EVP_PKEY* key, const std::string& commonName, long days) {
    Cert cert(X509_new());
    if (!cert) throw CertificateError("out of memory");
    X509_set_version(cert.get(), 2);
    unsigned char serial[16];
    RAND_bytes(serial, sizeof serial);
    serial[0] &= 0x7f;
    BIGNUM* number = BN_bin2bn(serial, sizeof serial, nullptr);
    BN_to_ASN1_INTEGER(number, X509_get_serialNumber(cert.get()));
    BN_free(number);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -kDay);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), days * kDay);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("TolkMaps"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName.c_str()), -1, -1,
                               0);
    return cert;
}

void sign(X509* cert, EVP_PKEY* issuerKey) {
    if (!X509_sign(cert, issuerKey, EVP_sha256())) throw CertificateError("cannot sign certificate");
}

bool isIpAddress(const std::string& host) {
    unsigned char buffer[16];
    return inet_pton(AF_INET, host.c_str(), buffer) == 1 ||
           inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

}  // namespace

CertificateAuthority::CertificateAuthority(const std::string& stateDir,
                                           const std::vector<std::string>& hostNames)
    : m_caFile(stateDir + "/ca.pem"),
      m_caKeyFile(stateDir + "/ca-key.pem"),
      m_serverFile(stateDir + "/server.pem"),
      m_serverKeyFile(stateDir + "/server-key.pem") {
    if (::mkdir(stateDir.c_str(), 0700) != 0 && errno != EEXIST)
        throw CertificateError("cannot make state folder " + stateDir + ": " + strerror(errno));
    if (!fileExists(m_caFile) || !fileExists(m_caKeyFile)) {
        makeAuthority();
        m_madeNew = true;
    }
    if (m_madeNew || !serverCertificateUsable(hostNames)) makeServerCertificate(hostNames);
}

void CertificateAuthority::makeAuthority() {
    PKey key = newKey();
    Cert cert = newCertificate(key.get(), "TolkMaps local authority", 3650);
    X509_set_issuer_name(cert.get(), X509_get_subject_name(cert.get()));
    addExtension(cert.get(), cert.get(), NID_basic_constraints, "critical,CA:TRUE,pathlen:0");
    addExtension(cert.get(), cert.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
    addExtension(cert.get(), cert.get(), NID_subject_key_identifier, "hash");
    sign(cert.get(), key.get());
    writeKey(m_caKeyFile, key.get());
    writeCert(m_caFile, cert.get());
}

void CertificateAuthority::makeServerCertificate(const std::vector<std::string>& hostNames) {
    Cert caCert = readCert(m_caFile);
    PKey caKey = readKey(m_caKeyFile);
    PKey key = newKey();
    Cert cert = newCertificate(key.get(), hostNames.empty() ? "localhost" : hostNames.front(), 825);
    X509_set_issuer_name(cert.get(), X509_get_subject_name(caCert.get()));
    std::string names;
    for (const std::string& host : hostNames)
        names += (names.empty() ? "" : ",") + std::string(isIpAddress(host) ? "IP:" : "DNS:") + host;
    addExtension(cert.get(), caCert.get(), NID_basic_constraints, "critical,CA:FALSE");
    addExtension(cert.get(), caCert.get(), NID_key_usage, "critical,digitalSignature");
    addExtension(cert.get(), caCert.get(), NID_ext_key_usage, "serverAuth");
    addExtension(cert.get(), caCert.get(), NID_authority_key_identifier, "keyid:always");
    if (!names.empty()) addExtension(cert.get(), caCert.get(), NID_subject_alt_name, names);
    sign(cert.get(), caKey.get());
    writeKey(m_serverKeyFile, key.get());
    writeCert(m_serverFile, cert.get());
}

bool CertificateAuthority::serverCertificateUsable(const std::vector<std::string>& hostNames) const {
    if (!fileExists(m_serverFile) || !fileExists(m_serverKeyFile)) return false;
    Cert cert = readCert(m_serverFile);
    Cert caCert = readCert(m_caFile);
    EVP_PKEY* caPublic = X509_get0_pubkey(caCert.get());
    if (!caPublic || X509_verify(cert.get(), caPublic) != 1) return false;
    if (X509_cmp_current_time(X509_get0_notAfter(cert.get())) <= 0) return false;
    for (const std::string& host : hostNames) {
        int match = isIpAddress(host) ? X509_check_ip_asc(cert.get(), host.c_str(), 0)
                                      : X509_check_host(cert.get(), host.c_str(), host.size(), 0,
                                                        nullptr);
        if (match != 1) return false;
    }
    return true;
}
