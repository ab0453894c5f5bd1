#ifndef TOLKMAPS_TESTS_INPROCESSMAPSERVICE_H
#define TOLKMAPS_TESTS_INPROCESSMAPSERVICE_H

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AccountStore.h"
#include "CertificateAuthority.h"
#include "MapService.h"
#include "SampleTiles.h"
#include "ScratchDirectory.h"
#include "ServiceConfig.h"
#include "TileStore.h"

// The map service run inside the test process, for start-up cases that need
// an account or a configuration of their own: the division and cache size of
// the one account, a store without global data or tile version, and any
// change to the configuration document (hosts per division, login hosts,
// paths). Fresh certificate authority, served on a free loopback port over
// verified HTTPS.
class InProcessMapService {
public:
    struct Options {
        int division = 12;
        int cacheMiB = 100;
        std::vector<std::string> quadKeys = SampleTiles::keysOfLevel(2);
        // Sample lines per tile and points per line.
        int lines = 3;
        int pointsPerLine = 20;
        // Empty texts replace what the store holds: no usable global data,
        // no tile data version.
        bool withGlobalData = true;
        bool withLocalVersion = true;
        // Applied to the configuration made for this host.
        std::function<void(ServiceConfig&, const std::string& port)> adjustConfig;
    };

    static constexpr const char* kServiceId = "svc-start";
    static constexpr const char* kGlobalVersion = "20261201";
    static constexpr const char* kLocalVersion = "20261202";

    InProcessMapService() : InProcessMapService(Options()) {}
    // Throws std::runtime_error when the service cannot bind or does not answer.
    explicit InProcessMapService(const Options& options);
    ~InProcessMapService();
    InProcessMapService(const InProcessMapService&) = delete;
    InProcessMapService& operator=(const InProcessMapService&) = delete;

    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }
    int port() const { return m_port; }
    std::string caFile() const { return m_certificates->caFile(); }
    const Account& account() const { return m_account; }

private:
    void writeStore(const Options& options);
    void waitUntilServing();

    ScratchDirectory m_folder;
    Account m_account;
    std::unique_ptr<TileStore> m_store;
    std::unique_ptr<AccountStore> m_accounts;
    std::unique_ptr<CertificateAuthority> m_certificates;
    FILE* m_log = nullptr;
    int m_port = 0;
    std::unique_ptr<MapService> m_service;
    std::thread m_thread;
};

#endif
