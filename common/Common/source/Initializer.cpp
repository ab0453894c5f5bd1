#include "Initializer.h"

#include <curl/curl.h>
#include <picojson.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <memory>

#include "AuthManager.h"
#include "CacheController.h"
#include "DataSourceManager.h"
#include "DesignController.h"
#include "FileManager.h"
#include "HttpRequest.h"
#include "K7DataCtg.h"
#include "Log.h"
#include "ThreadPool.h"

namespace qiv {

bool Initializer::m_curlInit = false;
Settings Initializer::m_setting;
std::map<int, std::string> Initializer::m_serverList;
std::string Initializer::m_auth;
std::string Initializer::m_auth_v;
std::string Initializer::m_cid;
int Initializer::m_div = 0;
std::string Initializer::m_gVersion;
std::string Initializer::m_lVersion;
K7DataCtg* Initializer::m_global = nullptr;
std::atomic<K7DataCtg*> Initializer::m_bg(nullptr);
ThreadPool* Initializer::m_thPool = nullptr;
std::atomic<int> Initializer::m_status(0);

namespace {

const int kAttempts = 4;
const uint64_t kBytesPerMiB = 1048576;

// The value at `path` below `root`, or null when a step is missing or not an object.
const picojson::value* find(const picojson::value& root, std::initializer_list<const char*> path) {
    const picojson::value* at = &root;
    for (const char* step : path) {
        if (!at->is<picojson::object>()) return nullptr;
        const picojson::object& object = at->get<picojson::object>();
        auto found = object.find(step);
        if (found == object.end()) return nullptr;
        at = &found->second;
    }
    return at;
}

bool readString(const picojson::value& root, std::initializer_list<const char*> path, std::string* out) {
    const picojson::value* value = find(root, path);
    if (value == nullptr || !value->is<std::string>()) return false;
    *out = value->get<std::string>();
    return true;
}

bool readNumber(const picojson::value& root, std::initializer_list<const char*> path, double* out) {
    const picojson::value* value = find(root, path);
    if (value == nullptr || !value->is<double>()) return false;
    *out = value->get<double>();
    return true;
}

// Divisions of "domain" / "data": members named by decimal digits only (an
// empty name is division 0); of two names with one value the later wins.
bool readServerList(const picojson::value& root, std::map<int, std::string>* servers) {
    const picojson::value* data = find(root, {"domain", "data"});
    if (data == nullptr || !data->is<picojson::object>()) return false;
    for (const auto& member : data->get<picojson::object>()) {
        const std::string& name = member.first;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        if (!member.second.is<std::string>()) continue;
        const std::string digits = name.substr(std::min(name.find_first_not_of('0'), name.size()));
        if (digits.size() > 9) {
            K7D_LOG_WARNING("division out of range ignored:", name);
            continue;
        }
        (*servers)[digits.empty() ? 0 : std::stoi(digits)] = member.second.get<std::string>();
    }
    return true;
}

int truncateToInt(double number) {
    const double whole = std::trunc(number);
    if (whole <= INT_MIN) return INT_MIN;
    if (whole >= INT_MAX) return INT_MAX;
    return static_cast<int>(whole);
}

} // namespace

int Initializer::initialize(const std::string& certDomain, const std::string& consumerKey,
                            const std::string& secretKey, const std::string& dataPath,
                            const std::string& cacheDir, const std::string& userDesignPath,
                            const std::string& caPath, int dpi, int mode, const std::string& proxy) {
    // libcurl's global state is set up once: tearing it down again while the
    // background or tile workers of an earlier run transfer is not safe.
    if (!m_curlInit) m_curlInit = curl_global_init(CURL_GLOBAL_ALL) == CURLE_OK;
    m_setting.dataPath = dataPath;
    m_setting.cacheDir = cacheDir;
    m_setting.userDesignPath = userDesignPath;
    m_setting.caPath = caPath;
    m_setting.dpi = dpi;
    m_setting.mode = mode;
    m_setting.proxy = proxy;
    m_status = run(certDomain, consumerKey, secretKey);
    return m_status;
}

int Initializer::run(const std::string& certDomain, const std::string& consumerKey,
                     const std::string& secretKey) {
    if (!loadConfiguration()) return kConfigurationFailed;
    int cacheMiB = 0;
    const int login = authenticate(certDomain, consumerKey, secretKey, &cacheMiB);
    if (login != 0) return login;
    if (!decodeDivision(certDomain)) return kConfigurationFailed;
    auto host = m_serverList.find(m_div);
    if (host == m_serverList.end()) {
        K7D_LOG_ERROR("no data host for division", m_div);
        return kConfigurationFailed;
    }
    m_setting.dataHost = host->second;
    CacheController::m_setting = m_setting;
    CacheController::m_cid = m_cid;

    DataSourceManager manager(0);
    manager.setInitParams(m_setting.mode, m_setting, m_cid, m_div, "", "");
    const int versions = checkVersions(&manager);
    if (versions != kReady) return versions;
    manager.setInitParams(m_setting.mode, m_setting, m_cid, m_div, m_lVersion, m_gVersion);
    sizeCache(cacheMiB);
    const int global = loadGlobal(&manager);
    if (global != kReady) return global;
    DesignController::createDesign(m_global, m_setting.userDesignPath);
    startBackground();
    return kReady;
}

bool Initializer::loadConfiguration() {
    HttpRequest request;
    request.m_caPath = m_setting.caPath;
    request.m_proxy = m_setting.proxy;
    const std::string url = "https://" + m_setting.configHost + m_setting.configPath;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::vector<char> body;
        if (request.single(url, &body, nullptr) && parse(body)) return true;
    }
    K7D_LOG_ERROR("no usable configuration from", url);
    return false;
}

bool Initializer::parse(const std::vector<char>& body) {
    picojson::value root;
    const std::string error = picojson::parse(root, std::string(body.begin(), body.end()));
    if (!error.empty() || !root.is<picojson::object>()) {
        K7D_LOG_WARNING("configuration is no JSON object:", error);
        return false;
    }
    Settings setting = m_setting;
    std::string auth;
    std::string authVerification;
    std::map<int, std::string> servers;
    double quadNum = 0;
    const bool complete =
        readString(root, {"domain", "auth", "veri"}, &authVerification) &&
        readString(root, {"domain", "auth", "prod"}, &auth) && readServerList(root, &servers) &&
        readString(root, {"cgi", "local"}, &setting.tileCgi) &&
        readString(root, {"cgi", "file"}, &setting.fileCgi) &&
        readNumber(root, {"cgi", "quad_num"}, &quadNum) &&
        readString(root, {"path", "global"}, &setting.globalPath) &&
        readString(root, {"path", "local"}, &setting.localPath) &&
        readString(root, {"ext", "global"}, &setting.globalExt) &&
        readString(root, {"ext", "local"}, &setting.localExt) &&
        readString(root, {"ext", "global-v"}, &setting.globalVersionExt) &&
        readString(root, {"ext", "local-v"}, &setting.localVersionExt) &&
        readString(root, {"ext", "g_data"}, &setting.globalDataExt) &&
        readString(root, {"auth", "dir"}, &setting.authDir) &&
        readNumber(root, {"auth", "cycle"}, &setting.authCycle);
    if (!complete) {
        K7D_LOG_WARNING("configuration lacks a key or has one of the wrong type");
        return false;
    }
    setting.quadNum = truncateToInt(quadNum);
    m_setting = setting;
    m_auth = auth;
    m_auth_v = authVerification;
    for (const auto& server : servers) m_serverList[server.first] = server.second;
    return true;
}

int Initializer::authenticate(const std::string& certDomain, const std::string& consumerKey,
                              const std::string& secretKey, int* cacheMiB) {
    AuthManager::setParams("https://" + certDomain + m_setting.authDir, consumerKey, secretKey,
                           m_setting.authCycle, m_setting.caPath, m_setting.proxy);
    std::string serviceId;
    int division = 0;
    const int result = AuthManager::Auth(&serviceId, &division, cacheMiB);
    if (result != 0) return result;
    m_cid = serviceId;
    m_div = division;
    return kReady;
}

bool Initializer::decodeDivision(const std::string& certDomain) {
    if (m_div < 1000) return true;
    if (certDomain == m_auth_v) {
        m_div /= 100;
    } else if (certDomain == m_auth) {
        m_div %= 100;
    } else {
        K7D_LOG_ERROR("login host is neither login host of the configuration:", certDomain);
        return false;
    }
    return true;
}

int Initializer::checkVersions(DataSourceManager* manager) {
    if (manager->checkVersion(Settings::kGlobalKind, &m_gVersion) != 0) {
        CacheController::clearLocalGlobal();
        K7D_LOG_ERROR("no global data version from the service");
        return kConfigurationFailed;
    }
    if (manager->checkVersion(Settings::kLocalKind, &m_lVersion) != 0) {
        CacheController::clearLocalDraw();
        K7D_LOG_ERROR("no tile data version from the service");
        return kConfigurationFailed;
    }
    return kReady;
}

void Initializer::sizeCache(int cacheMiB) {
    CacheController::createDirs();
    if (cacheMiB >= 1) {
        CacheController::setEnabled(true);
        CacheController::setSize(static_cast<uint64_t>(cacheMiB) * kBytesPerMiB);
        return;
    }
    CacheController::clearLocalGlobal();
    CacheController::clearLocalDraw();
    CacheController::setEnabled(false);
    CacheController::setSize(0);
}

int Initializer::loadGlobal(DataSourceManager* manager) {
    delete m_global;
    m_global = new K7DataCtg();
    if (manager->getGlobalData(m_global) == 0) return kReady;
    delete m_global;
    m_global = nullptr;
    K7D_LOG_ERROR("no global data in the disk cache or from the source");
    return kGlobalDataFailed;
}

void Initializer::startBackground() {
    if (m_thPool == nullptr) {
        m_thPool = new ThreadPool(1);
        std::atexit(stopBackground);
    }
    delete m_bg.exchange(nullptr);
    const std::string url = "https://" + m_setting.dataHost + m_setting.fileCgi + "?file=" +
                            m_setting.globalPath + "background.map.gz" + "&date=" + m_gVersion;
    const std::string caPath = m_setting.caPath;
    const std::string proxy = m_setting.proxy;
    m_thPool->enqueue([url, caPath, proxy] { _getBGData(url, caPath, proxy); });
}

void Initializer::stopBackground() {
    delete m_thPool;
    m_thPool = nullptr;
}

void Initializer::_getBGData(const std::string& url, const std::string& caPath,
                             const std::string& proxy) {
    HttpRequest request;
    request.m_caPath = caPath;
    request.m_proxy = proxy;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::vector<char> body;
        if (!request.single(url, &body, nullptr)) continue;
        std::vector<char> plain;
        if (body.empty() || FileManager::gzipUncompress(body.data(), static_cast<int>(body.size()), &plain) != 0)
            return;
        auto* background = new K7DataCtg();
        if (!background->setBinaryBounded(plain.data(), plain.size())) {
            K7D_LOG_WARNING("background map does not decode, bytes:", plain.size());
            delete background;
            return;
        }
        delete m_bg.exchange(background);
        return;
    }
}

} // namespace qiv
