#include "AccountStore.h"

#include <openssl/rand.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

AccountStore AccountStore::load(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw AccountStoreError("cannot open accounts file " + path + ": " + strerror(errno));
    AccountStore store;
    std::string line;
    int number = 0;
    while (std::getline(file, line)) {
        ++number;
        if (line.empty() || line[0] == '#') continue;
        Account account = parseLine(line, path + ":" + std::to_string(number));
        store.m_accounts[account.consumerKey] = account;
    }
    return store;
}

Account AccountStore::parseLine(const std::string& line, const std::string& where) {
    std::istringstream fields(line);
    Account account;
    std::string rest;
    if (!(fields >> account.consumerKey >> account.consumerSecret >> account.serviceId >>
          account.division >> account.cacheMiB) ||
        (fields >> rest))
        throw AccountStoreError(where + ": expected 'key secret service-id division cache-MiB'");
    if (account.division < 0 || account.cacheMiB < 0)
        throw AccountStoreError(where + ": division and cache size must not be negative");
    return account;
}

std::optional<Account> AccountStore::find(const std::string& consumerKey) const {
    auto found = m_accounts.find(consumerKey);
    if (found == m_accounts.end()) return std::nullopt;
    return found->second;
}

std::string AccountStore::randomToken(size_t bytes) {
    std::string random(bytes, '\0');
    if (RAND_bytes(reinterpret_cast<unsigned char*>(random.data()), static_cast<int>(bytes)) != 1)
        throw AccountStoreError("no random bytes for a new account");
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char byte : random) {
        token += digits[byte >> 4];
        token += digits[byte & 15];
    }
    return token;
}

Account AccountStore::add(const std::string& path, const std::string& serviceId, int division,
                          int cacheMiB) {
    if (serviceId.empty() || serviceId.find_first_of(" \t\r\n") != std::string::npos)
        throw AccountStoreError("a service id must be one word");
    if (division < 0 || cacheMiB < 0)
        throw AccountStoreError("division and cache size must not be negative");
    Account account{randomToken(12), randomToken(20), serviceId, division, cacheMiB};
    std::string line = account.consumerKey + " " + account.consumerSecret + " " + serviceId + " " +
                       std::to_string(division) + " " + std::to_string(cacheMiB) + "\n";
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) throw AccountStoreError("cannot write accounts file " + path + ": " + strerror(errno));
    ssize_t written = ::write(fd, line.data(), line.size());
    ::close(fd);
    if (written != static_cast<ssize_t>(line.size()))
        throw AccountStoreError("cannot write accounts file " + path);
    return account;
}
