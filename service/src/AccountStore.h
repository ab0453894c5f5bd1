#ifndef TOLKMAPS_SERVICE_ACCOUNTSTORE_H
#define TOLKMAPS_SERVICE_ACCOUNTSTORE_H

#include "Account.h"

#include <map>
#include <optional>
#include <stdexcept>
#include <string>

// Raised when the accounts file cannot be read or written, or holds a bad line.
class AccountStoreError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The accounts of the service, kept in a text file readable by its owner only:
// one account per line, "consumer-key secret service-id division cache-MiB"
// separated by blanks; empty lines and lines starting with '#' are skipped.
// Keys and secrets are never written anywhere else.
class AccountStore {
public:
    // Reads the file; throws AccountStoreError when it is missing or malformed.
    static AccountStore load(const std::string& path);

    // Makes an account with a fresh random key and secret, appends it to the
    // file (created when missing) and returns it.
    static Account add(const std::string& path, const std::string& serviceId, int division,
                       int cacheMiB);

    std::optional<Account> find(const std::string& consumerKey) const;
    size_t size() const { return m_accounts.size(); }

private:
    static Account parseLine(const std::string& line, const std::string& where);
    static std::string randomToken(size_t bytes);

    std::map<std::string, Account> m_accounts;
};

#endif
