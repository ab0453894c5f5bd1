#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <mutex>
#include <string>
#include <vector>

#include "AuthManager.h"
#include "ScratchDirectory.h"
#include "TlsTestServer.h"

using qiv::AuthManager;

namespace {

const char* const kDateLine = "Date: Fri, 11 Dec 2026 10:30:05 GMT";
const char* const kAccepted =
    R"({"status": {"code": "success", "text": "OK"}, "result": {"service_id": "S1", "division": 12, "cache": 64}})";
const char* const kRefused = R"({"status": {"code": "error", "text": "bad signature"}})";

long loginTime() {
    struct tm fields;
    std::memset(&fields, 0, sizeof(fields));
    strptime(kDateLine, "Date: %a, %d %b %Y %T GMT", &fields);
    return static_cast<long>(mktime(&fields));
}

// A login endpoint whose verdict the test switches.
class LoginEndpoint {
public:
    void accept(bool accepted, bool dated = true) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_accepted = accepted;
        m_dated = dated;
    }
    TlsTestServer::Answer operator()(const std::string&) {
        std::lock_guard<std::mutex> lock(m_mutex);
        TlsTestServer::Answer answer;
        answer.body = m_accepted ? kAccepted : kRefused;
        if (m_dated) answer.headers = {kDateLine};
        return answer;
    }

private:
    std::mutex m_mutex;
    bool m_accepted = true;
    bool m_dated = true;
};

class AuthManagerRenewalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_server.isRunning());
        AuthManager::m_lastTM = 0;
        AuthManager::m_status = 3;
        login(24.0);
    }
    void login(double cycle) {
        AuthManager::setParams(m_server.baseUrl() + "/auth", "kit key", "kit secret", cycle,
                               m_server.caFile(), "");
    }
    size_t requests() const { return m_server.targets().size(); }

    LoginEndpoint m_endpoint;
    ScratchDirectory m_dir;
    TlsTestServer m_server{m_dir.path(), [this](const std::string& t) { return m_endpoint(t); }};
};

} // namespace

TEST_F(AuthManagerRenewalTest, LoginSendsASignedRequestAndReadsTheAccount) {
    std::string serviceId;
    int division = 0;
    int cache = 0;
    ASSERT_EQ(0, AuthManager::Auth(&serviceId, &division, &cache));
    EXPECT_EQ("S1", serviceId);
    EXPECT_EQ(12, division);
    EXPECT_EQ(64, cache);
    EXPECT_EQ(0, AuthManager::getStatus());
    EXPECT_EQ(loginTime(), AuthManager::m_lastTM);

    ASSERT_EQ(1u, requests());
    std::string target = m_server.targets()[0];
    EXPECT_EQ(0u, target.find("/auth?")) << target;
    for (const char* part : {"if_clientid=kit%20key", "oauth_consumer_key=kit%20key",
                             "oauth_signature_method=HMAC-SHA1", "oauth_signature=",
                             "oauth_nonce=", "oauth_timestamp="}) {
        EXPECT_NE(std::string::npos, target.find(part)) << part << " in " << target;
    }
    EXPECT_EQ(std::string::npos, target.find("oauth_token=")) << "no token is sent";
}

TEST_F(AuthManagerRenewalTest, RefusedLoginIsTriedFourTimes) {
    m_endpoint.accept(false);
    std::string serviceId;
    int division = 0;
    int cache = 0;
    EXPECT_EQ(3, AuthManager::Auth(&serviceId, &division, &cache));
    std::vector<std::string> targets = m_server.targets();
    ASSERT_EQ(4u, targets.size());
    std::sort(targets.begin(), targets.end());
    EXPECT_EQ(targets.end(), std::adjacent_find(targets.begin(), targets.end()))
        << "every attempt carries its own signature and nonce";
    EXPECT_EQ(3, AuthManager::getStatus());
}

TEST_F(AuthManagerRenewalTest, CheckAuthLogsInAgainOnlyWhenTheCycleIsOver) {
    std::string serviceId;
    int division = 0;
    int cache = 0;
    ASSERT_EQ(0, AuthManager::Auth(&serviceId, &division, &cache));
    long login = AuthManager::m_lastTM;

    EXPECT_EQ(0, AuthManager::checkAuth(login + 23 * 3600 + 59 * 60));
    EXPECT_EQ(1u, requests());
    EXPECT_EQ(0, AuthManager::checkAuth(login + 24 * 3600));
    EXPECT_EQ(2u, requests());

    m_endpoint.accept(false);
    EXPECT_EQ(3, AuthManager::checkAuth(login + 48 * 3600));
    EXPECT_EQ(3, AuthManager::getStatus());
    m_endpoint.accept(true);
    EXPECT_EQ(0, AuthManager::checkAuth(login + 48 * 3600));
    EXPECT_EQ(0, AuthManager::getStatus());
}

TEST_F(AuthManagerRenewalTest, CycleZeroLogsInOnEveryServerTime) {
    login(0.0);
    std::string serviceId;
    int division = 0;
    int cache = 0;
    ASSERT_EQ(0, AuthManager::Auth(&serviceId, &division, &cache));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(0, AuthManager::checkAuth(AuthManager::m_lastTM));
    EXPECT_EQ(4u, requests());
}

TEST_F(AuthManagerRenewalTest, AnswerWithoutDateLeavesTheLoginUndated) {
    m_endpoint.accept(true, false);
    AuthManager::m_lastTM = 12345;
    std::string serviceId;
    int division = 0;
    int cache = 0;
    ASSERT_EQ(0, AuthManager::Auth(&serviceId, &division, &cache));
    EXPECT_EQ(0, AuthManager::m_lastTM);
    EXPECT_EQ(0, AuthManager::checkAuth(loginTime()));
    EXPECT_EQ(2u, requests()) << "the first dated tile answer triggers a new login";
}
