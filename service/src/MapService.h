#ifndef TOLKMAPS_SERVICE_MAPSERVICE_H
#define TOLKMAPS_SERVICE_MAPSERVICE_H

#include "AccessLog.h"
#include "AccountStore.h"
#include "CertificateAuthority.h"
#include "NonceWindow.h"
#include "OAuthVerifier.h"
#include "ServiceConfig.h"
#include "TileCache.h"
#include "TileStore.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace httplib {
class SSLServer;
struct Request;
struct Response;
}  // namespace httplib

// The HTTPS map service: configuration, certificate bundle, login, version
// files, global data, background map and tiles, read from one tile store.
// Every answer carries a Date header and is gzip-encoded when the client
// accepts it (the global data and background map are gzip streams of their
// own). Refused requests get a 4xx answer; every answer gets one access-log
// line. Nothing a client sends stops the service.
class MapService {
public:
    struct Settings {
        ServiceConfig config;
        int threads = 8;
        long nonceWindowSeconds = 300;
        int gzipLevel = 6;
        size_t tileCacheBytes = 256u << 20;
    };

    // The store, accounts and certificates must outlive the service. Throws
    // std::runtime_error when the TLS setup fails.
    MapService(const TileStore& store, const AccountStore& accounts,
               const CertificateAuthority& certificates, const Settings& settings, FILE* logStream);
    ~MapService();
    MapService(const MapService&) = delete;
    MapService& operator=(const MapService&) = delete;

    // Binds the listening socket; port 0 picks a free one. Answers the bound
    // port, or -1 when the address cannot be bound.
    int bind(const std::string& host, int port);
    // Serves on the bound socket until stop(); false when serving failed.
    bool run();
    // Makes run() return; any thread may call it.
    void stop();

private:
    // A ready answer: its content type, body and, when worth it, gzip body.
    struct Answer {
        std::string contentType;
        std::string body;
        std::string gzipBody;
    };
    using Handler = void (MapService::*)(const httplib::Request&, httplib::Response&);

    void setUpServer();
    void addStaticAnswers(const CertificateAuthority& certificates);
    void addStatic(const std::string& path, const std::string& contentType, const std::string& body,
                   bool compressible);
    void dispatch(const httplib::Request& request, httplib::Response& response);
    void handleLogin(const httplib::Request& request, httplib::Response& response);
    void handleFile(const httplib::Request& request, httplib::Response& response);
    void handleTiles(const httplib::Request& request, httplib::Response& response);
    void send(const httplib::Request& request, httplib::Response& response, int status,
              const std::string& contentType, const std::string& body);
    void sendAnswer(const httplib::Request& request, httplib::Response& response, const Answer& answer);
    void sendError(const httplib::Request& request, httplib::Response& response, int status,
                   const std::string& reason);
    static std::string statusJson(const std::string& code, const std::string& text);

    const TileStore& m_store;
    Settings m_settings;
    std::string m_serviceId;
    std::string m_globalVersion;
    std::string m_localVersion;
    TileCache m_tiles;
    NonceWindow m_nonces;
    OAuthVerifier m_verifier;
    AccessLog m_log;
    std::unordered_map<std::string, Answer> m_static;
    std::unordered_map<std::string, Answer> m_files;
    std::unordered_map<std::string, Handler> m_handlers;
    std::unique_ptr<httplib::SSLServer> m_server;
};

#endif
