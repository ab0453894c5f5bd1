#ifndef TOLKMAPS_SERVICE_CERTIFICATEAUTHORITY_H
#define TOLKMAPS_SERVICE_CERTIFICATEAUTHORITY_H

#include <stdexcept>
#include <string>
#include <vector>

// Raised when the certificates can be neither loaded nor made.
class CertificateError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The service's own certificate authority and the server certificate it
// signs, kept as PEM files in a state folder:
//   ca.pem, ca-key.pem          the authority that clients are given
//   server.pem, server-key.pem  the certificate the server presents
// The first start makes them; later starts reuse them. A server certificate
// that is missing, expired or lacks one of the host names is made anew with
// the same authority.
class CertificateAuthority {
public:
    // Loads or makes the files; `hostNames` go into the server certificate's
    // subject alternative names (IP addresses as such, other names as DNS).
    CertificateAuthority(const std::string& stateDir, const std::vector<std::string>& hostNames);

    const std::string& caFile() const { return m_caFile; }
    const std::string& serverCertificateFile() const { return m_serverFile; }
    const std::string& serverKeyFile() const { return m_serverKeyFile; }
    // True when this start made a new authority.
    bool madeNewAuthority() const { return m_madeNew; }

private:
    void makeAuthority();
    void makeServerCertificate(const std::vector<std::string>& hostNames);
    bool serverCertificateUsable(const std::vector<std::string>& hostNames) const;

    std::string m_caFile;
    std::string m_caKeyFile;
    std::string m_serverFile;
    std::string m_serverKeyFile;
    bool m_madeNew = false;
};

#endif
