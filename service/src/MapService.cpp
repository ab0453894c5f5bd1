#include "MapService.h"

#include "Gzip.h"
#include "HttpDate.h"
#include "Log.h"
#include "QueryParams.h"
#include "RequestError.h"
#include "TileContainer.h"
#include "TileRequest.h"

#include <httplib.h>
#include <picojson.h>

#include <chrono>
#include <fstream>
#include <sstream>

namespace {
using Clock = std::chrono::steady_clock;

// Start of the request that the calling worker thread is answering; each
// request is answered on one thread from start to log line.
thread_local Clock::time_point g_requestStart;
thread_local bool g_requestStarted = false;

const char* const kJson = "application/json; charset=utf-8";
const char* const kBinary = "application/octet-stream";
const char* const kGzipFile = "application/gzip";

// Bodies below this size are sent as they are.
const size_t kSmallestCompressed = 64;

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    if (!file) throw std::runtime_error("cannot read " + path);
    return content.str();
}

std::string lowerHost(std::string host) {
    for (char& c : host) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return host;
}

double millisecondsSinceStart() {
    if (!g_requestStarted) return 0;
    g_requestStarted = false;
    return std::chrono::duration<double, std::milli>(Clock::now() - g_requestStart).count();
}
}  // namespace

MapService::MapService(const TileStore& store, const AccountStore& accounts,
                       const CertificateAuthority& certificates, const Settings& settings,
                       FILE* logStream)
    : m_store(store),
      m_settings(settings),
      m_serviceId(store.serviceId()),
      m_globalVersion(store.globalVersion()),
      m_localVersion(store.localVersion()),
      m_tiles(store, settings.tileCacheBytes, settings.gzipLevel),
      m_nonces(settings.nonceWindowSeconds),
      m_verifier(accounts, m_nonces),
      m_log(logStream),
      m_server(std::make_unique<httplib::SSLServer>(certificates.serverCertificateFile().c_str(),
                                                    certificates.serverKeyFile().c_str())) {
    if (!m_server->is_valid()) throw std::runtime_error("cannot set up TLS with the server certificate");
    addStaticAnswers(certificates);
    const ServiceConfig& config = m_settings.config;
    m_handlers[config.authPath] = &MapService::handleLogin;
    m_handlers[config.filePath] = &MapService::handleFile;
    m_handlers[config.tilePath] = &MapService::handleTiles;
    setUpServer();
}

MapService::~MapService() = default;

void MapService::addStatic(const std::string& path, const std::string& contentType,
                           const std::string& body, bool compressible) {
    Answer answer{contentType, body, std::string()};
    if (compressible && body.size() >= kSmallestCompressed) answer.gzipBody = Gzip::compress(body, 9);
    m_static[path] = answer;
}

void MapService::addStaticAnswers(const CertificateAuthority& certificates) {
    const ServiceConfig& config = m_settings.config;
    addStatic("/Veltar/config.json", kJson, config.toJson(), true);
    addStatic("/Veltar/cacert.pem.gz", kGzipFile, Gzip::compress(readFile(certificates.caFile()), 9),
              false);
    const std::string globalBase = config.globalPath + m_serviceId;
    const std::string localBase = config.localPath + m_serviceId;
    addStatic(globalBase + config.globalExt, kBinary, m_globalVersion, true);
    addStatic(globalBase + config.globalVersionExt, kBinary, m_globalVersion, true);
    addStatic(localBase + config.localExt, kBinary, m_localVersion, true);
    addStatic(localBase + config.localVersionExt, kBinary, m_localVersion, true);
    m_files[globalBase + config.globalDataExt] = {kGzipFile, Gzip::compress(m_store.globalData(), 9), ""};
    m_files[config.globalPath + "background.map.gz"] = {kGzipFile,
                                                        Gzip::compress(m_store.backgroundMap(), 9), ""};
}

void MapService::setUpServer() {
    const int threads = m_settings.threads;
    m_server->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    m_server->set_keep_alive_max_count(100000);
    m_server->set_keep_alive_timeout(5);
    m_server->set_read_timeout(5);
    m_server->set_write_timeout(5);
    m_server->set_payload_max_length(64 * 1024);
    m_server->set_tcp_nodelay(true);
    m_server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
        g_requestStart = Clock::now();
        g_requestStarted = true;
        dispatch(request, response);
        return httplib::Server::HandlerResponse::Handled;
    });
    // Answers the library makes itself (a request it cannot parse, a target
    // or header that is too long) get their Date here.
    httplib::Server::HandlerWithResponse addDate = [](const httplib::Request&,
                                                      httplib::Response& response) {
        if (!response.has_header("Date")) response.set_header("Date", HttpDate::format(time(nullptr)));
        return httplib::Server::HandlerResponse::Unhandled;
    };
    m_server->set_error_handler(addDate);
    m_server->set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        m_log.write(request.remote_addr, request.method, request.target, response.status,
                    response.body.size(), millisecondsSinceStart());
    });
}

int MapService::bind(const std::string& host, int port) {
    if (port == 0) return m_server->bind_to_any_port(host);
    return m_server->bind_to_port(host, port) ? port : -1;
}

bool MapService::run() { return m_server->listen_after_bind(); }

void MapService::stop() { m_server->stop(); }

void MapService::dispatch(const httplib::Request& request, httplib::Response& response) {
    try {
        if (request.method != "GET") throw RequestError(405, "only GET is served");
        auto handler = m_handlers.find(request.path);
        if (handler != m_handlers.end()) {
            (this->*handler->second)(request, response);
            return;
        }
        auto answer = m_static.find(request.path);
        if (answer == m_static.end()) throw RequestError(404, "unknown path");
        sendAnswer(request, response, answer->second);
    } catch (const RequestError& error) {
        sendError(request, response, error.status(), error.what());
    } catch (const std::exception& error) {
        K7D_LOG_ERROR("request failed:", error.what());
        sendError(request, response, 500, "internal error");
    }
}

void MapService::handleLogin(const httplib::Request& request, httplib::Response& response) {
    const std::string host = request.get_header_value("Host");
    if (host.empty()) throw RequestError(400, "missing Host header");
    std::vector<std::string> baseUrls{"https://" + host + request.path};
    if (lowerHost(host) != host) baseUrls.push_back("https://" + lowerHost(host) + request.path);
    OAuthVerifier::Outcome outcome =
        m_verifier.verify(request.method, baseUrls, QueryParams::parse(request.target), time(nullptr));
    if (outcome.result == OAuthVerifier::Result::Malformed) throw RequestError(400, outcome.reason);
    // Which check failed stays unsaid, so that answers do not tell which
    // consumer keys exist.
    if (outcome.result != OAuthVerifier::Result::Accepted) throw RequestError(401, "login refused");
    picojson::object result{{"service_id", picojson::value(outcome.account.serviceId)},
                            {"division", picojson::value(static_cast<double>(outcome.account.division))},
                            {"cache", picojson::value(static_cast<double>(outcome.account.cacheMiB))}};
    picojson::object status{{"code", picojson::value("success")}, {"text", picojson::value("OK")}};
    picojson::object root{{"status", picojson::value(status)}, {"result", picojson::value(result)}};
    send(request, response, 200, kJson, picojson::value(root).serialize());
}

void MapService::handleFile(const httplib::Request& request, httplib::Response& response) {
    const QueryParams::Params params = QueryParams::parse(request.target);
    const std::string file = QueryParams::single(params, "file");
    const std::string date = QueryParams::single(params, "date");
    auto found = m_files.find(file);
    if (found == m_files.end()) throw RequestError(404, "unknown file");
    if (date != m_globalVersion) throw RequestError(404, "no file of that version");
    sendAnswer(request, response, found->second);
}

void MapService::handleTiles(const httplib::Request& request, httplib::Response& response) {
    TileRequest tiles(QueryParams::parse(request.target), m_settings.config.quadNum);
    if (tiles.serviceId() != m_serviceId) throw RequestError(404, "unknown service id");
    if (tiles.version() != m_localVersion) throw RequestError(404, "no tiles of that version");
    std::vector<std::shared_ptr<const TileCache::Tile>> found;
    std::vector<std::string_view> records;
    size_t recordBytes = 0;
    for (const std::string& key : tiles.quadKeys()) {
        if (auto tile = m_tiles.get(key)) {
            records.push_back(tile->record);
            recordBytes += tile->record.size();
            found.push_back(std::move(tile));
        }
    }
    Answer answer{kBinary, TileContainer::encode(records), std::string()};
    // The gzip answer joins the container header, compressed here, with the
    // tiles' segments compressed when they were first served.
    if (!found.empty() && Gzip::accepted(request.get_header_value("Accept-Encoding"))) {
        Gzip::Segment header = Gzip::storedSegment(answer.body.substr(0, answer.body.size() - recordBytes));
        std::vector<const Gzip::Segment*> segments{&header};
        for (const auto& tile : found) segments.push_back(&tile->gzip);
        answer.gzipBody = Gzip::join(segments);
    }
    sendAnswer(request, response, answer);
}

void MapService::send(const httplib::Request& request, httplib::Response& response, int status,
                      const std::string& contentType, const std::string& body) {
    Answer answer{contentType, body, std::string()};
    if (body.size() >= kSmallestCompressed && Gzip::accepted(request.get_header_value("Accept-Encoding")))
        answer.gzipBody = Gzip::compress(body, m_settings.gzipLevel);
    response.status = status;
    sendAnswer(request, response, answer);
}

void MapService::sendAnswer(const httplib::Request& request, httplib::Response& response,
                            const Answer& answer) {
    if (response.status == -1) response.status = 200;
    response.set_header("Date", HttpDate::format(time(nullptr)));
    response.set_header("Vary", "Accept-Encoding");
    if (!answer.gzipBody.empty() && Gzip::accepted(request.get_header_value("Accept-Encoding"))) {
        response.set_header("Content-Encoding", "gzip");
        response.set_content(answer.gzipBody, answer.contentType.c_str());
    } else {
        response.set_content(answer.body, answer.contentType.c_str());
    }
}

void MapService::sendError(const httplib::Request& request, httplib::Response& response, int status,
                           const std::string& reason) {
    response.headers.clear();
    send(request, response, status, kJson, statusJson(status == 401 ? "unauthorized" : "error", reason));
}

std::string MapService::statusJson(const std::string& code, const std::string& text) {
    picojson::object status{{"code", picojson::value(code)}, {"text", picojson::value(text)}};
    return picojson::value(picojson::object{{"status", picojson::value(status)}}).serialize();
}
