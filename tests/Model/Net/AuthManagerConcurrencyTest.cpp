#include <gtest/gtest.h>

#include <curl/curl.h>

#include <atomic>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "AuthManager.h"
#include "ScratchDirectory.h"
#include "TlsTestServer.h"

using qiv::AuthManager;

namespace {

const char* const kAccepted =
    R"({"status": {"code": "success", "text": "OK"}, "result": {"service_id": "S1", "division": 12, "cache": 64}})";

long parseDate(const std::string& line) {
    struct tm fields;
    std::memset(&fields, 0, sizeof(fields));
    strptime(line.c_str(), "Date: %a, %d %b %Y %T GMT", &fields);
    return static_cast<long>(mktime(&fields));
}

// Answers every login with the clock the test sets.
class ClockedLogin {
public:
    void setDate(const std::string& line) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_date = line;
    }
    TlsTestServer::Answer operator()(const std::string&) {
        std::lock_guard<std::mutex> lock(m_mutex);
        TlsTestServer::Answer answer;
        answer.body = kAccepted;
        answer.headers = {m_date};
        return answer;
    }

private:
    std::mutex m_mutex;
    std::string m_date;
};

} // namespace

// Tile workers that all see an expired login at once: one of them logs in
// again while the others wait, and they then find the login fresh.
TEST(AuthManagerConcurrencyTest, ExpiredLoginIsRenewedOnceForAllWorkers) {
    curl_global_init(CURL_GLOBAL_ALL);
    ClockedLogin endpoint;
    endpoint.setDate("Date: Fri, 11 Dec 2026 10:00:00 GMT");
    ScratchDirectory dir;
    TlsTestServer server(dir.path(), [&](const std::string& t) { return endpoint(t); });
    ASSERT_TRUE(server.isRunning());
    AuthManager::setParams(server.baseUrl() + "/auth", "key", "secret", 24.0, server.caFile(), "");
    std::string serviceId;
    int division = 0;
    int cache = 0;
    ASSERT_EQ(0, AuthManager::Auth(&serviceId, &division, &cache));

    const std::string nextDay = "Date: Sat, 12 Dec 2026 10:00:00 GMT";
    endpoint.setDate(nextDay);
    const long tileTime = parseDate(nextDay);
    std::atomic<int> failures{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < 4; ++i) {
        workers.emplace_back([&] {
            if (AuthManager::checkAuth(tileTime) != 0) ++failures;
            if (AuthManager::getStatus() != 0) ++failures;
        });
    }
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(0, failures.load());
    EXPECT_EQ(2u, server.targets().size()) << "one start-up login and one renewal";
    EXPECT_EQ(tileTime, AuthManager::m_lastTM);
}
