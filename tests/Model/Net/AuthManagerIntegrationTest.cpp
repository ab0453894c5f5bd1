#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "AuthManager.h"
#include "MapServiceFixture.h"

using qiv::AuthManager;

namespace {

class AuthManagerIntegrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        AuthManager::m_lastTM = 0;
        AuthManager::m_status = 3;
    }
    void useSecret(const std::string& secret, double cycle = 24.0) {
        AuthManager::setParams(m_service.baseUrl() + "/Veltar/auth", m_service.account().consumerKey,
                               secret, cycle, m_service.caFile(), "");
    }

    MapServiceFixture m_service;
    std::string m_serviceId;
    int m_division = -1;
    int m_cache = -1;
};

} // namespace

TEST_F(AuthManagerIntegrationTest, LoginSignedByTheKitIsAccepted) {
    useSecret(m_service.account().consumerSecret);
    ASSERT_EQ(0, AuthManager::Auth(&m_serviceId, &m_division, &m_cache)) << m_service.serverOutput();
    EXPECT_EQ(m_service.account().serviceId, m_serviceId);
    EXPECT_EQ(m_service.account().division, m_division);
    EXPECT_EQ(m_service.account().cacheMiB, m_cache);
    EXPECT_EQ(0, AuthManager::getStatus());
    // The server clock of the login, within a day of ours.
    EXPECT_LT(std::abs(AuthManager::m_lastTM - static_cast<long>(time(nullptr))), 24 * 3600);
}

TEST_F(AuthManagerIntegrationTest, LoginWithABadSecretIsRefused) {
    useSecret(m_service.account().consumerSecret + "x");
    EXPECT_EQ(3, AuthManager::Auth(&m_serviceId, &m_division, &m_cache));
    EXPECT_EQ(3, AuthManager::getStatus());
    EXPECT_EQ(-1, m_division) << "nothing is reported from a refused login";
}

TEST_F(AuthManagerIntegrationTest, ExpiredLoginIsRenewedWithAFreshSignature) {
    useSecret(m_service.account().consumerSecret);
    ASSERT_EQ(0, AuthManager::Auth(&m_serviceId, &m_division, &m_cache));
    long login = AuthManager::m_lastTM;
    EXPECT_EQ(0, AuthManager::checkAuth(login + 24 * 3600 - 60)) << "still fresh";
    EXPECT_EQ(0, AuthManager::checkAuth(login + 24 * 3600)) << m_service.serverOutput();
    EXPECT_EQ(0, AuthManager::getStatus());
}
