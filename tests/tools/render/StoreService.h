#ifndef TOLKMAPS_TESTS_RENDER_STORESERVICE_H
#define TOLKMAPS_TESTS_RENDER_STORESERVICE_H

#include <string>

#include "MapServiceFixture.h"

// The real tolkmaps-server on a given tile store for a test: one account of
// the store's service id, a fresh certificate authority and a free loopback
// port. The constructor returns once the server answers; the destructor
// stops it. Throws std::runtime_error, with the server's output, when it does
// not come up.
class StoreService : public MapServiceFixture {
public:
    explicit StoreService(const std::string& storeFile) : MapServiceFixture(serving(storeFile)) {}

private:
    static Options serving(const std::string& storeFile) {
        Options options;
        options.storeFile = storeFile;
        return options;
    }
};

#endif
