#include "OAuthVerifier.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>
#include <utility>

namespace {
const char* const kRequired[] = {"oauth_consumer_key", "oauth_nonce", "oauth_signature",
                                 "oauth_signature_method", "oauth_timestamp", "if_clientid"};
}

std::string OAuthVerifier::single(const Params& params, const std::string& name) {
    auto found = params.find(name);
    return found == params.end() ? std::string() : found->second;
}

bool OAuthVerifier::parseTimestamp(const std::string& text, time_t& timestamp) {
    if (text.empty() || text.size() > 12) return false;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    timestamp = static_cast<time_t>(std::stoll(text));
    return true;
}

OAuthVerifier::Outcome OAuthVerifier::verify(const std::string& method,
                                             const std::vector<std::string>& baseUrls,
                                             const Params& params, time_t now) const {
    for (auto it = params.begin(); it != params.end(); it = params.upper_bound(it->first))
        if (params.count(it->first) > 1) return refuse(Result::Malformed, "repeated " + it->first);
    for (const char* name : kRequired)
        if (params.count(name) == 0) return refuse(Result::Malformed, std::string("missing ") + name);
    if (single(params, "oauth_signature_method") != "HMAC-SHA1")
        return refuse(Result::Malformed, "unsupported signature method");
    if (params.count("oauth_version") && single(params, "oauth_version") != "1.0")
        return refuse(Result::Malformed, "unsupported oauth version");
    if (!single(params, "oauth_token").empty())
        return refuse(Result::Malformed, "tokens are not issued here");
    const std::string consumerKey = single(params, "oauth_consumer_key");
    if (single(params, "if_clientid") != consumerKey)
        return refuse(Result::Malformed, "client id differs from consumer key");
    time_t timestamp = 0;
    if (!parseTimestamp(single(params, "oauth_timestamp"), timestamp))
        return refuse(Result::Malformed, "bad timestamp");

    std::optional<Account> account = m_accounts.find(consumerKey);
    if (!account) return refuse(Result::UnknownConsumer, "unknown consumer key");
    if (!m_nonces.timestampFresh(timestamp, now))
        return refuse(Result::StaleTimestamp, "timestamp outside the window");

    const std::string given = single(params, "oauth_signature");
    bool signatureMatches = false;
    for (const std::string& baseUrl : baseUrls) {
        std::string expected = sign(method, baseUrl, params, account->consumerSecret);
        if (expected.size() == given.size() &&
            CRYPTO_memcmp(expected.data(), given.data(), given.size()) == 0)
            signatureMatches = true;
    }
    if (!signatureMatches) return refuse(Result::BadSignature, "signature does not match");
    if (!m_nonces.remember(consumerKey, single(params, "oauth_nonce"), timestamp, now))
        return refuse(Result::ReplayedNonce, "nonce already used");
    return {Result::Accepted, "", *account};
}

std::string OAuthVerifier::percentEncode(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : text) {
        bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                          (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
        if (unreserved) {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        }
    }
    return encoded;
}

std::string OAuthVerifier::sign(const std::string& method, const std::string& baseUrl,
                                const Params& params, const std::string& consumerSecret) {
    std::vector<std::pair<std::string, std::string>> encoded;
    for (const auto& param : params)
        if (param.first != "oauth_signature")
            encoded.emplace_back(percentEncode(param.first), percentEncode(param.second));
    std::sort(encoded.begin(), encoded.end());
    std::string normalized;
    for (const auto& param : encoded)
        normalized += (normalized.empty() ? "" : "&") + param.first + "=" + param.second;
    std::string base = method + "&" + percentEncode(baseUrl) + "&" + percentEncode(normalized);
    std::string key = percentEncode(consumerSecret) + "&";

    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    HMAC(EVP_sha1(), key.data(), static_cast<int>(key.size()),
         reinterpret_cast<const unsigned char*>(base.data()), base.size(), digest, &digestLength);
    unsigned char text[4 * ((EVP_MAX_MD_SIZE + 2) / 3) + 1];
    int textLength = EVP_EncodeBlock(text, digest, static_cast<int>(digestLength));
    return std::string(reinterpret_cast<char*>(text), textLength);
}
