#ifndef TOLKMAPS_SERVICE_OAUTHVERIFIER_H
#define TOLKMAPS_SERVICE_OAUTHVERIFIER_H

#include "Account.h"
#include "AccountStore.h"
#include "NonceWindow.h"

#include <ctime>
#include <map>
#include <string>
#include <vector>

// Checks a login request signed with OAuth 1.0, HMAC-SHA1, consumer key and
// secret and no token, with the OAuth parameters in the query. A request is
// accepted when it carries each parameter once, names a known consumer, its
// timestamp lies in the nonce window, its signature matches the account's
// secret over one of the given base URLs, and its nonce is new.
class OAuthVerifier {
public:
    using Params = std::multimap<std::string, std::string>;

    enum class Result { Accepted, Malformed, UnknownConsumer, StaleTimestamp, BadSignature, ReplayedNonce };
    struct Outcome {
        Result result;
        std::string reason;
        Account account;  // set when accepted
    };

    // Both must outlive the verifier.
    OAuthVerifier(const AccountStore& accounts, NonceWindow& nonces)
        : m_accounts(accounts), m_nonces(nonces) {}

    // `params` are the decoded query parameters; `baseUrls` the forms of
    // "scheme://host[:port]/path" the client may have signed.
    Outcome verify(const std::string& method, const std::vector<std::string>& baseUrls,
                   const Params& params, time_t now) const;

    // The base64 HMAC-SHA1 signature of a request: every parameter but
    // "oauth_signature" takes part.
    static std::string sign(const std::string& method, const std::string& baseUrl,
                            const Params& params, const std::string& consumerSecret);
    // Percent-encoding that keeps only letters, digits and "-._~".
    static std::string percentEncode(const std::string& text);

private:
    static Outcome refuse(Result result, const std::string& reason) { return {result, reason, {}}; }
    static bool parseTimestamp(const std::string& text, time_t& timestamp);
    static std::string single(const Params& params, const std::string& name);

    const AccountStore& m_accounts;
    NonceWindow& m_nonces;
};

#endif
