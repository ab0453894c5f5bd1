#include "TlsTestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>
#include <zlib.h>

#include <csignal>
#include <sstream>

namespace {

std::string reasonPhrase(int status) {
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 304: return "Not Modified";
    case 404: return "Not Found";
    default: return "Status";
    }
}

std::string gzipped(const std::string& text) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_SPEED, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, text.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// The value of one request header (case-insensitive name), or "".
std::string headerValue(const std::string& request, const std::string& name) {
    std::istringstream lines(request);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.size() <= name.size() || line[name.size()] != ':') continue;
        if (strncasecmp(line.c_str(), name.c_str(), name.size()) != 0) continue;
        std::string value = line.substr(name.size() + 1);
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) value.pop_back();
        size_t first = value.find_first_not_of(' ');
        return first == std::string::npos ? "" : value.substr(first);
    }
    return "";
}

} // namespace

TlsTestServer::TlsTestServer(const std::string& directory, Handler handler,
                             const std::string& altNames)
    : m_certificate(altNames), m_handler(std::move(handler)), m_caFile(directory + "/test-ca.pem") {
    std::signal(SIGPIPE, SIG_IGN);
    if (!m_certificate.isValid() || !m_certificate.writePem(m_caFile)) return;
    m_context = SSL_CTX_new(TLS_server_method());
    if (m_context == nullptr || SSL_CTX_use_certificate(m_context, m_certificate.certificate()) != 1 ||
        SSL_CTX_use_PrivateKey(m_context, m_certificate.key()) != 1) {
        return;
    }
    m_listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(m_listener, 64) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread(&TlsTestServer::serve, this);
}

TlsTestServer::~TlsTestServer() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
    if (m_listener >= 0) close(m_listener);
    SSL_CTX_free(m_context);
}

std::string TlsTestServer::baseUrl() const {
    return "https://localhost:" + std::to_string(m_port);
}

std::vector<std::string> TlsTestServer::targets() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_targets;
}

std::string TlsTestServer::lastAcceptEncoding() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_acceptEncoding;
}

void TlsTestServer::serve() {
    while (!m_stop) {
        pollfd waiting{m_listener, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0) continue;
        int connection = accept(m_listener, nullptr, nullptr);
        if (connection < 0) continue;
        timeval limit{5, 0};
        setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof(limit));
        serveConnection(connection);
        close(connection);
    }
}

void TlsTestServer::serveConnection(int socket) {
    SSL* ssl = SSL_new(m_context);
    SSL_set_fd(ssl, socket);
    if (SSL_accept(ssl) == 1) {
        std::string request;
        char chunk[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            int count = SSL_read(ssl, chunk, sizeof(chunk));
            if (count <= 0) break;
            request.append(chunk, static_cast<size_t>(count));
        }
        if (request.find("\r\n\r\n") != std::string::npos) {
            std::string answer = respond(request);
            SSL_write(ssl, answer.data(), static_cast<int>(answer.size()));
            SSL_shutdown(ssl);
        }
    }
    SSL_free(ssl);
}

std::string TlsTestServer::respond(const std::string& request) {
    std::istringstream requestLine(request.substr(0, request.find("\r\n")));
    std::string method;
    std::string target;
    requestLine >> method >> target;
    std::string acceptEncoding = headerValue(request, "Accept-Encoding");
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_targets.push_back(target);
        m_acceptEncoding = acceptEncoding;
    }
    Answer answer = m_handler(target);
    std::string body = answer.body;
    std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " " +
                       reasonPhrase(answer.status) + "\r\n";
    if (answer.gzip && acceptEncoding.find("gzip") != std::string::npos) {
        body = gzipped(body);
        head += "Content-Encoding: gzip\r\n";
    }
    for (const std::string& line : answer.headers) head += line + "\r\n";
    bool hasBody = answer.status != 204 && answer.status != 304;
    if (hasBody) head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    head += "Connection: close\r\n\r\n";
    return hasBody ? head + body : head;
}
