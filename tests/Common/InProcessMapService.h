#ifndef TOLKMAPS_TESTS_INPROCESSMAPSERVICE_H
#define TOLKMAPS_TESTS_INPROCESSMAPSERVICE_H

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "AccountStore.h"
#include "CertificateAuthority.h"
#include "HttpRequest.h"
#include "MapService.h"
#include "SampleTiles.h"
#include "ScratchDirectory.h"
#include "ServiceConfig.h"
#include "TileStore.h"

// The map service run inside the test process, for start-up cases that need
// an account or a configuration of their own: the division and cache size of
// the one account, a store without global data or tile version, and any change to the configuration document (hosts per
// division, login hosts, paths). Fresh certificate authority, served on a
// free loopback port over verified HTTPS.
class InProcessMapService {
public:
    struct Options {
        int division = 12;
        int cacheMiB = 100;
        std::vector<std::string> quadKeys = SampleTiles::keysOfLevel(2);
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
    explicit InProcessMapService(const Options& options) {
        SampleTiles::writeStore(m_folder.file("tiles.sqlite"), kServiceId, kGlobalVersion, kLocalVersion,
                                options.quadKeys, 3, 20);
        if (!options.withGlobalData || !options.withLocalVersion) {
            TileStore store(m_folder.file("tiles.sqlite"), TileStore::Mode::ReadWrite);
            if (!options.withGlobalData) store.setGlobalData("");
            if (!options.withLocalVersion) store.setVersions(kGlobalVersion, "");
        }
        m_account = AccountStore::add(m_folder.file("accounts"), kServiceId, options.division, options.cacheMiB);
        m_store = std::make_unique<TileStore>(m_folder.file("tiles.sqlite"), TileStore::Mode::ReadOnly);
        m_accounts = std::make_unique<AccountStore>(AccountStore::load(m_folder.file("accounts")));
        m_certificates = std::make_unique<CertificateAuthority>(
            m_folder.file("state"), std::vector<std::string>{"localhost", "127.0.0.1"});
        m_log = std::fopen(m_folder.file("access.log").c_str(), "w");
        m_port = freeLoopbackPort();
        MapService::Settings settings;
        settings.config = ServiceConfig::forHost(host());
        settings.config.quadNum = 4;
        settings.threads = 4;
        if (options.adjustConfig) options.adjustConfig(settings.config, std::to_string(m_port));
        m_service = std::make_unique<MapService>(*m_store, *m_accounts, *m_certificates, settings, m_log);
        if (m_service->bind("127.0.0.1", m_port) < 0) throw std::runtime_error("cannot bind the map service");
        m_thread = std::thread([this] { m_service->run(); });
        waitUntilServing();
    }
    ~InProcessMapService() {
        m_service->stop();
        m_thread.join();
        std::fclose(m_log);
    }
    InProcessMapService(const InProcessMapService&) = delete;
    InProcessMapService& operator=(const InProcessMapService&) = delete;

    std::string host() const { return "127.0.0.1:" + std::to_string(m_port); }
    int port() const { return m_port; }
    std::string caFile() const { return m_certificates->caFile(); }
    const Account& account() const { return m_account; }

private:
    void waitUntilServing() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        qiv::HttpRequest request;
        request.m_caPath = caFile();
        std::vector<char> body;
        while (!request.single("https://" + host() + "/Veltar/config.json", &body, nullptr)) {
            if (std::chrono::steady_clock::now() > deadline) {
                m_service->stop();
                m_thread.join();
                throw std::runtime_error("the map service does not answer");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    static int freeLoopbackPort() {
        const int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        const bool bound = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                           getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0;
        if (fd >= 0) close(fd);
        if (!bound) throw std::runtime_error("no free loopback port");
        return ntohs(address.sin_port);
    }

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
