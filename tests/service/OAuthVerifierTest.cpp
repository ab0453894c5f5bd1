#include "AccountStore.h"
#include "OAuthVerifier.h"

#include <gtest/gtest.h>
#include <oauth.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

const char* const kBase = "https://localhost:8443/Veltar/auth";

// Splits a signed URL into its decoded query parameters.
OAuthVerifier::Params queryOf(const std::string& url) {
    OAuthVerifier::Params params;
    std::string query = url.substr(url.find('?') + 1);
    size_t start = 0;
    while (start <= query.size()) {
        size_t end = query.find('&', start);
        if (end == std::string::npos) end = query.size();
        std::string piece = query.substr(start, end - start);
        size_t equals = piece.find('=');
        char* value = oauth_url_unescape(piece.substr(equals + 1).c_str(), nullptr);
        params.emplace(piece.substr(0, equals), value);
        free(value);
        start = end + 1;
    }
    return params;
}

class OAuthVerifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        char path[] = "/tmp/tolkmaps-accounts-XXXXXX";
        close(mkstemp(path));
        m_path = path;
        std::ofstream(m_path) << "# test accounts\n\nkey-one secret-one svc 1234 64\n";
        m_accounts = AccountStore::load(m_path);
    }
    void TearDown() override { std::filesystem::remove(m_path); }

    // Signed by liboauth exactly as the kit signs its login.
    OAuthVerifier::Params kitSigned(const std::string& key, const std::string& secret) {
        std::string url = std::string(kBase) + "?if_clientid=" + key;
        char* signedUrl = oauth_sign_url2(url.c_str(), nullptr, OA_HMAC, nullptr, key.c_str(),
                                          secret.c_str(), nullptr, nullptr);
        OAuthVerifier::Params params = queryOf(signedUrl);
        free(signedUrl);
        return params;
    }

    std::string m_path;
    AccountStore m_accounts;
    NonceWindow m_nonces{300};
};

TEST_F(OAuthVerifierTest, AcceptsTheKitsSignatureOnceAndAnswersTheAccount) {
    OAuthVerifier verifier(m_accounts, m_nonces);
    auto params = kitSigned("key-one", "secret-one");
    auto outcome = verifier.verify("GET", {kBase}, params, time(nullptr));
    ASSERT_EQ(outcome.result, OAuthVerifier::Result::Accepted) << outcome.reason;
    EXPECT_EQ(outcome.account, (Account{"key-one", "secret-one", "svc", 1234, 64}));
    EXPECT_EQ(verifier.verify("GET", {kBase}, params, time(nullptr)).result,
              OAuthVerifier::Result::ReplayedNonce);
}

TEST_F(OAuthVerifierTest, RefusesEachKindOfBadLogin) {
    OAuthVerifier verifier(m_accounts, m_nonces);
    const time_t now = time(nullptr);
    auto signedParams = [&] { return kitSigned("key-one", "secret-one"); };
    auto with = [](OAuthVerifier::Params params, const std::string& name, const std::string& value) {
        params.erase(name);
        params.emplace(name, value);
        return params;
    };
    auto without = [](OAuthVerifier::Params params, const std::string& name) {
        params.erase(name);
        return params;
    };
    auto twice = [](OAuthVerifier::Params params, const std::string& name) {
        params.emplace(name, params.find(name)->second);
        return params;
    };
    using R = OAuthVerifier::Result;
    struct Case {
        const char* what;
        OAuthVerifier::Params params;
        std::string base;
        time_t now;
        R expected;
    };
    const std::vector<Case> cases{
        {"wrong secret", kitSigned("key-one", "secret-two"), kBase, now, R::BadSignature},
        {"other host signed", signedParams(), "https://elsewhere:8443/Veltar/auth", now, R::BadSignature},
        {"changed parameter", with(signedParams(), "if_clientid", "key-one "), kBase, now, R::Malformed},
        {"changed nonce", with(signedParams(), "oauth_nonce", "other"), kBase, now, R::BadSignature},
        {"unknown key", kitSigned("key-two", "secret-one"), kBase, now, R::UnknownConsumer},
        {"client clock far ahead", signedParams(), kBase, now - 400, R::StaleTimestamp},
        {"client clock far behind", signedParams(), kBase, now + 400, R::StaleTimestamp},
        {"no signature", without(signedParams(), "oauth_signature"), kBase, now, R::Malformed},
        {"no nonce", without(signedParams(), "oauth_nonce"), kBase, now, R::Malformed},
        {"no client id", without(signedParams(), "if_clientid"), kBase, now, R::Malformed},
        {"two signatures", twice(signedParams(), "oauth_signature"), kBase, now, R::Malformed},
        {"plaintext method", with(signedParams(), "oauth_signature_method", "PLAINTEXT"), kBase, now, R::Malformed},
        {"timestamp not a number", with(signedParams(), "oauth_timestamp", "12a"), kBase, now, R::Malformed},
        {"token given", with(signedParams(), "oauth_token", "t"), kBase, now, R::Malformed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(verifier.verify("GET", {c.base}, c.params, c.now).result, c.expected) << c.what;
    EXPECT_EQ(m_nonces.size(), 0u);
}

TEST_F(OAuthVerifierTest, SignatureOverEitherBaseFormIsAccepted) {
    OAuthVerifier verifier(m_accounts, m_nonces);
    auto params = kitSigned("key-one", "secret-one");
    auto outcome = verifier.verify("GET", {"https://LOCALHOST:8443/Veltar/auth", kBase}, params, time(nullptr));
    EXPECT_EQ(outcome.result, OAuthVerifier::Result::Accepted) << outcome.reason;
}

TEST_F(OAuthVerifierTest, PercentEncodingKeepsOnlyUnreservedCharacters) {
    EXPECT_EQ(OAuthVerifier::percentEncode("aZ09-._~ /+=&%\xc3\xa9"), "aZ09-._~%20%2F%2B%3D%26%25%C3%A9");
}

TEST(NonceWindowTest, ForgetsNoncesOnlyOnceTheyLeaveTheWindow) {
    NonceWindow window(300);
    EXPECT_TRUE(window.remember("k", "n", 1000, 1000));
    EXPECT_FALSE(window.remember("k", "n", 1000, 1200));
    EXPECT_TRUE(window.remember("other", "n", 1000, 1200));
    EXPECT_TRUE(window.remember("k", "n", 1000, 1301));  // 1000 is older than 1301 - 300
    EXPECT_EQ(window.size(), 1u);
    EXPECT_TRUE(window.timestampFresh(1000, 1300));
    EXPECT_FALSE(window.timestampFresh(1000, 1301));
    EXPECT_FALSE(window.timestampFresh(1301, 1000));
}

}  // namespace
