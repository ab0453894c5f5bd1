#ifndef TOLKMAPS_SERVICE_ACCOUNT_H
#define TOLKMAPS_SERVICE_ACCOUNT_H

#include <string>

// One client of the service: the OAuth consumer key and secret it signs its
// login with, and what a successful login tells it.
struct Account {
    std::string consumerKey;
    std::string consumerSecret;
    std::string serviceId;
    int division = 0;
    int cacheMiB = 0;

    bool operator==(const Account& other) const {
        return consumerKey == other.consumerKey && consumerSecret == other.consumerSecret &&
               serviceId == other.serviceId && division == other.division &&
               cacheMiB == other.cacheMiB;
    }
};

#endif
