#ifndef TOLKMAPS_MODEL_AUTHMANAGER_H
#define TOLKMAPS_MODEL_AUTHMANAGER_H

#include <mutex>
#include <string>
#include <vector>

namespace picojson {
class value;
}

namespace qiv {

// Logs the application in to the map service with an OAuth 1.0 signed GET
// (HMAC-SHA1, consumer key and secret, no token) and keeps the login fresh:
// tile answers carry the server clock, and once the configured cycle has run
// out since the last login the next check logs in again. Process-wide state.
class AuthManager {
public:
    // Start-up thread, before any worker exists. `uri` is the login URL
    // without query; `cycle` is in hours.
    static void setParams(const std::string& uri, const std::string& consumerKey,
                          const std::string& consumerSecret, double cycle,
                          const std::string& caPath, const std::string& proxy);
    // Logs in once (up to 4 attempts). 0 on success with the account's service
    // id, division and disk cache size in MiB; 3 on failure. Start-up thread.
    static int Auth(std::string* serviceId, int* division, int* cacheSize);
    // Any thread: logs in again when `serverTime` (as HttpRequest::getTime
    // gives it) is at least the cycle past the last login. 0 when the login
    // is fresh or renewed, 3 when the renewal failed.
    static int checkAuth(long serverTime);
    // 0 logged in, 3 not. Any thread.
    static int getStatus();

    static bool oauth(std::string* serviceId, int* division, int* cacheSize);
    // Reads a login answer; true only for "status" {"code": "success",
    // "text": "OK"} with a complete "result". Other shapes and types: false.
    static bool parse(const std::vector<char>& body, std::string* serviceId, int* division,
                      int* cacheSize);
    // True when `object` holds `key` with a value other than null.
    static bool checkKV(const picojson::value& object, const std::string& key);

    static std::string m_uri;
    static std::string m_consumer_key;
    static std::string m_consumer_secret;
    static double m_authCycle;
    static std::string m_caPath;
    static std::string m_proxy;
    static long m_lastTM;
    static int m_status;
    static std::mutex m_mutex;

private:
    static std::string signedLoginUrl();
};

} // namespace qiv

#endif
