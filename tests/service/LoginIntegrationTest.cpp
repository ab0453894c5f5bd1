// Logging in to the map service the way the kit does: a GET signed with
// liboauth's oauth_sign_url2 (HMAC-SHA1, consumer key and secret, no token).

#include "MapServiceFixture.h"
#include "OAuthVerifier.h"

#include <gtest/gtest.h>
#include <oauth.h>
#include <picojson.h>

#include <cstdlib>
#include <ctime>
#include <set>

namespace {

class LoginIntegrationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_service = new MapServiceFixture(); }
    static void TearDownTestSuite() {
        delete s_service;
        s_service = nullptr;
    }
    MapServiceFixture& service() { return *s_service; }

    std::string loginBase() { return service().baseUrl() + "/Veltar/auth"; }

    // The login URL exactly as the kit makes it.
    std::string kitLoginUrl(const std::string& key, const std::string& secret) {
        char* escaped = oauth_url_escape(key.c_str());
        std::string url = loginBase() + "?if_clientid=" + escaped;
        free(escaped);
        char* signedUrl = oauth_sign_url2(url.c_str(), nullptr, OA_HMAC, nullptr, key.c_str(),
                                          secret.c_str(), nullptr, nullptr);
        std::string result = signedUrl ? signedUrl : "";
        free(signedUrl);
        return result;
    }

    // A login URL signed here, for the cases liboauth cannot make (an old
    // timestamp, a chosen nonce).
    std::string handSignedUrl(const std::string& secret, time_t timestamp, const std::string& nonce) {
        const std::string key = service().account().consumerKey;
        OAuthVerifier::Params params{{"if_clientid", key},
                                     {"oauth_consumer_key", key},
                                     {"oauth_nonce", nonce},
                                     {"oauth_signature_method", "HMAC-SHA1"},
                                     {"oauth_timestamp", std::to_string(timestamp)},
                                     {"oauth_version", "1.0"}};
        params.emplace("oauth_signature", OAuthVerifier::sign("GET", loginBase(), params, secret));
        std::string url = loginBase();
        char separator = '?';
        for (const auto& [name, value] : params) {
            url += separator + name + "=" + OAuthVerifier::percentEncode(value);
            separator = '&';
        }
        return url;
    }

    static picojson::value parse(const std::string& body) {
        picojson::value root;
        EXPECT_TRUE(picojson::parse(root, body).empty()) << body;
        return root;
    }

    static MapServiceFixture* s_service;
};

MapServiceFixture* LoginIntegrationTest::s_service = nullptr;

TEST_F(LoginIntegrationTest, KitSignedLoginAnswersTheAccount) {
    const Account& account = service().account();
    auto response = service().getUrl(kitLoginUrl(account.consumerKey, account.consumerSecret),
                                     MapServiceFixture::Encoding::GzipDecoded);
    ASSERT_EQ(response.status, 200) << response.body;
    EXPECT_FALSE(response.header("date").empty());
    picojson::value root = parse(response.body);
    EXPECT_EQ(root.get("status").get("code").get<std::string>(), "success");
    EXPECT_EQ(root.get("status").get("text").get<std::string>(), "OK");
    const picojson::value& result = root.get("result");
    EXPECT_EQ(result.get("service_id").get<std::string>(), account.serviceId);
    EXPECT_EQ(result.get("division").get<double>(), account.division);
    EXPECT_EQ(result.get("cache").get<double>(), account.cacheMiB);
}

TEST_F(LoginIntegrationTest, ReplayedLoginIsRefused) {
    const Account& account = service().account();
    const std::string url = kitLoginUrl(account.consumerKey, account.consumerSecret);
    ASSERT_EQ(service().getUrl(url).status, 200);
    auto replay = service().getUrl(url);
    EXPECT_EQ(replay.status, 401);
    EXPECT_FALSE(parse(replay.body).contains("result"));
}

TEST_F(LoginIntegrationTest, FailedLoginsAnswerNoSuccessAndNoAccountData) {
    const Account& account = service().account();
    const time_t now = time(nullptr);
    struct Case {
        const char* what;
        std::string url;
        long status;
    };
    std::string withoutSignature = kitLoginUrl(account.consumerKey, account.consumerSecret);
    withoutSignature = withoutSignature.substr(0, withoutSignature.find("&oauth_signature="));
    const std::vector<Case> cases{
        {"wrong secret", kitLoginUrl(account.consumerKey, "not-the-secret"), 401},
        {"unknown consumer key", kitLoginUrl("nobody", account.consumerSecret), 401},
        {"stale timestamp", handSignedUrl(account.consumerSecret, now - 3600, "stale-nonce"), 401},
        {"future timestamp", handSignedUrl(account.consumerSecret, now + 3600, "future-nonce"), 401},
        {"no signature", withoutSignature, 400},
        {"repeated nonce parameter",
         kitLoginUrl(account.consumerKey, account.consumerSecret) + "&oauth_nonce=again", 400},
        {"no parameters", loginBase(), 400},
    };
    std::set<std::string> refusals;
    for (const Case& c : cases) {
        auto response = service().getUrl(c.url);
        EXPECT_EQ(response.status, c.status) << c.what;
        if (response.status == 401) refusals.insert(response.body);
        picojson::value root = parse(response.body);
        ASSERT_TRUE(root.is<picojson::object>()) << c.what;
        EXPECT_NE(root.get("status").get("code").to_str(), "success") << c.what;
        EXPECT_FALSE(root.contains("result")) << c.what;
    }
    // An unknown key reads the same as a wrong secret.
    EXPECT_EQ(refusals.size(), 1u);
}

TEST_F(LoginIntegrationTest, HandSignedLoginInsideTheWindowIsAccepted) {
    // The same signing as above, fresh: shows that the refusals above come
    // from the timestamps alone.
    auto response = service().getUrl(handSignedUrl(service().account().consumerSecret,
                                                   time(nullptr) - 10, "fresh-nonce"));
    EXPECT_EQ(response.status, 200) << response.body;
}

TEST_F(LoginIntegrationTest, CredentialsNeverReachTheLog) {
    const Account& account = service().account();
    service().getUrl(kitLoginUrl(account.consumerKey, account.consumerSecret));
    const std::string log = service().serverOutput();
    EXPECT_NE(log.find("/Veltar/auth?"), std::string::npos);
    EXPECT_EQ(log.find(account.consumerKey), std::string::npos);
    EXPECT_EQ(log.find(account.consumerSecret), std::string::npos);
}

}  // namespace
