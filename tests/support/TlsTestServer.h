#ifndef TOLKMAPS_TESTS_TLSTESTSERVER_H
#define TOLKMAPS_TESTS_TLSTESTSERVER_H

#include <openssl/ssl.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "SelfSignedCertificate.h"

// A small HTTPS server on a free loopback port for client tests whose answers
// the test chooses (status codes and headers a real service never sends).
// It serves one connection at a time on its own thread, answers each GET
// through the handler and closes the connection. Its certificate is made on
// the spot; clients verify it with `caFile()`.
class TlsTestServer {
public:
    struct Answer {
        int status = 200;
        std::string body;
        std::vector<std::string> headers; // whole lines without "\r\n"
        bool gzip = false;                // gzip the body when the client accepts it
    };
    using Handler = std::function<Answer(const std::string& target)>;

    // `directory` receives the certificate file; `altNames` are the host
    // names the certificate is made for.
    TlsTestServer(const std::string& directory, Handler handler,
                  const std::string& altNames = "DNS:localhost,IP:127.0.0.1");
    ~TlsTestServer();
    TlsTestServer(const TlsTestServer&) = delete;
    TlsTestServer& operator=(const TlsTestServer&) = delete;

    bool isRunning() const { return m_thread.joinable(); }
    int port() const { return m_port; }
    const std::string& caFile() const { return m_caFile; }
    // "https://localhost:<port>"
    std::string baseUrl() const;
    // Request targets in arrival order.
    std::vector<std::string> targets() const;
    // The Accept-Encoding header of the last request ("" when absent).
    std::string lastAcceptEncoding() const;

private:
    void serve();
    void serveConnection(int socket);
    std::string respond(const std::string& request);

    SelfSignedCertificate m_certificate;
    Handler m_handler;
    std::string m_caFile;
    SSL_CTX* m_context = nullptr;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_targets;
    std::string m_acceptEncoding;
    std::thread m_thread;
};

#endif
