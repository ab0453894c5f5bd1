#ifndef TOLKMAPS_TESTS_RENDER_STORESERVICE_H
#define TOLKMAPS_TESTS_RENDER_STORESERVICE_H

#include <string>

#include "MapServiceFixture.h"
#include "RenderOptions.h"

// The real tolkmaps-server on a given tile store for a test: one account of
// the store's service id, a fresh certificate authority and a free loopback
// port. The constructor returns once the server answers; the destructor
// stops it. Throws std::runtime_error, with the server's output, when it does
// not come up.
class StoreService : public MapServiceFixture {
public:
    explicit StoreService(const std::string& storeFile) : MapServiceFixture(serving(storeFile)) {}

    // Options that start the kit against this service at display density `dpi`.
    RenderOptions kitOptions(int dpi) const {
        RenderOptions options;
        options.configHost = host();
        options.consumerKey = account().consumerKey;
        options.consumerSecret = account().consumerSecret;
        options.caFile = caFile();
        options.dpi = dpi;
        return options;
    }

private:
    static Options serving(const std::string& storeFile) {
        Options options;
        options.storeFile = storeFile;
        return options;
    }
};

#endif
