#include "AuthManager.h"

#include <oauth.h>
#include <picojson.h>

#include <cmath>
#include <climits>
#include <cstdlib>
#include <ctime>

#include "HttpRequest.h"
#include "Log.h"

namespace qiv {

std::string AuthManager::m_uri;
std::string AuthManager::m_consumer_key;
std::string AuthManager::m_consumer_secret;
double AuthManager::m_authCycle = 0.0;
std::string AuthManager::m_caPath;
std::string AuthManager::m_proxy;
long AuthManager::m_lastTM = 0;
int AuthManager::m_status = 3;
std::mutex AuthManager::m_mutex;

namespace {

constexpr int kAttempts = 4;
constexpr int kLoggedIn = 0;
constexpr int kLoggedOut = 3;

// liboauth hands out malloc'd strings; copies one and frees it.
std::string takeString(char* text) {
    if (text == nullptr) return std::string();
    std::string copy(text);
    std::free(text);
    return copy;
}

bool isString(const picojson::value& object, const std::string& key) {
    return AuthManager::checkKV(object, key) && object.get(key).is<std::string>();
}

// A JSON number that fits an int after truncation.
bool readInt(const picojson::value& object, const std::string& key, int* out) {
    if (!AuthManager::checkKV(object, key) || !object.get(key).is<double>()) return false;
    double number = std::trunc(object.get(key).get<double>());
    if (!(number >= INT_MIN && number <= INT_MAX)) return false;
    *out = static_cast<int>(number);
    return true;
}

} // namespace

void AuthManager::setParams(const std::string& uri, const std::string& consumerKey,
                            const std::string& consumerSecret, double cycle,
                            const std::string& caPath, const std::string& proxy) {
    m_uri = uri;
    m_consumer_key = consumerKey;
    m_consumer_secret = consumerSecret;
    m_authCycle = cycle;
    m_caPath = caPath;
    m_proxy = proxy;
}

int AuthManager::Auth(std::string* serviceId, int* division, int* cacheSize) {
    m_status = oauth(serviceId, division, cacheSize) ? kLoggedIn : kLoggedOut;
    return m_status;
}

int AuthManager::checkAuth(long serverTime) {
    std::lock_guard<std::mutex> lock(m_mutex);
    double elapsedHours = difftime(static_cast<time_t>(serverTime),
                                   static_cast<time_t>(m_lastTM)) / 60 / 60;
    if (m_authCycle > elapsedHours) return 0;
    std::string serviceId;
    int division = 0;
    int cacheSize = 0;
    m_status = oauth(&serviceId, &division, &cacheSize) ? kLoggedIn : kLoggedOut;
    return m_status;
}

int AuthManager::getStatus() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_status;
}

std::string AuthManager::signedLoginUrl() {
    std::string url = m_uri + "?if_clientid=" + takeString(oauth_url_escape(m_consumer_key.c_str()));
    return takeString(oauth_sign_url2(url.c_str(), nullptr, OA_HMAC, nullptr,
                                      m_consumer_key.c_str(), m_consumer_secret.c_str(), nullptr,
                                      nullptr));
}

bool AuthManager::oauth(std::string* serviceId, int* division, int* cacheSize) {
    HttpRequest request;
    request.m_caPath = m_caPath;
    request.m_proxy = m_proxy;
    long serverTime = 0;
    std::vector<char> body;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        // Signed anew for every attempt: the service refuses a nonce it has
        // seen, so a repeated URL could never succeed once it had arrived.
        std::string url = signedLoginUrl();
        if (url.empty()) return false;
        if (request.single(url, &body, &serverTime) && parse(body, serviceId, division, cacheSize)) {
            m_lastTM = serverTime;
            return true;
        }
        body.clear();
    }
    K7D_LOG_WARNING("login refused after attempts:", kAttempts);
    return false;
}

bool AuthManager::parse(const std::vector<char>& body, std::string* serviceId, int* division,
                        int* cacheSize) {
    picojson::value root;
    std::string error;
    picojson::parse(root, body.begin(), body.end(), &error);
    if (!error.empty() || !root.is<picojson::object>()) return false;
    if (!checkKV(root, "status")) return false;
    const picojson::value& status = root.get("status");
    if (!isString(status, "code") || !isString(status, "text")) return false;
    if (status.get("code").get<std::string>() != "success" ||
        status.get("text").get<std::string>() != "OK") {
        return false;
    }
    if (!checkKV(root, "result")) return false;
    const picojson::value& result = root.get("result");
    if (!isString(result, "service_id")) return false;
    int parsedDivision = 0;
    int parsedCache = 0;
    if (!readInt(result, "division", &parsedDivision) || !readInt(result, "cache", &parsedCache)) {
        return false;
    }
    *serviceId = result.get("service_id").get<std::string>();
    *division = parsedDivision;
    *cacheSize = parsedCache;
    return true;
}

bool AuthManager::checkKV(const picojson::value& object, const std::string& key) {
    return object.is<picojson::object>() && object.contains(key) && !object.get(key).is<picojson::null>();
}

} // namespace qiv
