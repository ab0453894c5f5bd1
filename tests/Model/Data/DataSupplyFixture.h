#ifndef TOLKMAPS_TESTS_DATASUPPLYFIXTURE_H
#define TOLKMAPS_TESTS_DATASUPPLYFIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "AuthManager.h"
#include "CacheController.h"
#include "DataSourceManager.h"
#include "Initializer.h"
#include "LocalCache.h"
#include "MapServiceFixture.h"
#include "ScratchDirectory.h"
#include "Settings.h"

// The tile supply wired to the real map service, as start-up leaves it: the
// settings read from the served configuration, logged in, the disk cache
// enabled in a fresh directory. Each test starts with empty caches.
class DataSupplyFixture {
public:
    explicit DataSupplyFixture(const MapServiceFixture::Options& options = MapServiceFixture::Options())
        : m_service(options) {
        const MapServiceFixture::Response config = m_service.get("/Veltar/config.json");
        EXPECT_TRUE(qiv::Initializer::parse(std::vector<char>(config.body.begin(), config.body.end())));
        m_setting = qiv::Initializer::m_setting;
        m_setting.configHost = m_service.host();
        m_setting.dataHost = m_service.host();
        m_setting.caPath = m_service.caFile();
        m_setting.cacheDir = m_cache.path();
        m_setting.mode = 1;
        logIn(m_service.account().consumerSecret, m_setting.authCycle);
        qiv::CacheController::m_setting = m_setting;
        qiv::CacheController::m_cid = serviceId();
        qiv::CacheController::clearMemory();
        qiv::CacheController::createDirs();
        qiv::CacheController::setEnabled(true);
        qiv::CacheController::setSize(100u << 20);
    }
    ~DataSupplyFixture() {
        qiv::CacheController::clearMemory();
        qiv::CacheController::setEnabled(false);
    }

    // Sets the login parameters for later logins.
    void setLogin(const std::string& secret, double cycleHours) {
        qiv::AuthManager::setParams(m_service.baseUrl() + m_setting.authDir,
                                    m_service.account().consumerKey, secret, cycleHours,
                                    m_service.caFile(), "");
    }
    // Sets the login parameters and logs in; answers AuthManager's result.
    int logIn(const std::string& secret, double cycleHours) {
        setLogin(secret, cycleHours);
        std::string id;
        int division = 0;
        int cache = 0;
        return qiv::AuthManager::Auth(&id, &division, &cache);
    }

    void configure(qiv::DataSourceManager& manager,
                   const std::string& localVersion = MapServiceFixture::kLocalVersion) const {
        manager.setInitParams(m_setting.mode, m_setting, serviceId(), m_service.account().division,
                              localVersion, MapServiceFixture::kGlobalVersion);
    }

    static std::string serviceId() { return MapServiceFixture::kServiceId; }
    static qiv::StringPair cacheKey(const std::string& key) { return {serviceId(), key}; }
    std::string tileFile(const std::string& key) const {
        return m_setting.cacheDir + m_setting.localPath + "/" +
               qiv::LocalCache::createValue(cacheKey(key)) + "/local.dat";
    }

    // Polls `done` until it holds or 20 s have passed.
    static bool waitFor(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return true;
    }

    // The quad keys of each tile request the server logged, in arrival order.
    std::vector<std::vector<std::string>> tileRequests() const {
        std::vector<std::vector<std::string>> requests;
        std::istringstream lines(m_service.serverOutput());
        std::string line;
        while (std::getline(lines, line)) {
            if (line.find(" GET " + m_setting.tileCgi + "?") == std::string::npos) continue;
            std::vector<std::string> keys;
            for (size_t at = line.find("&quad="); at != std::string::npos; at = line.find("&quad=", at + 1)) {
                const size_t start = at + 6;
                keys.push_back(line.substr(start, line.find_first_of("& ", start) - start));
            }
            requests.push_back(keys);
        }
        return requests;
    }
    // Lines of the server log containing `text`.
    int logLines(const std::string& text) const {
        std::istringstream lines(m_service.serverOutput());
        std::string line;
        int count = 0;
        while (std::getline(lines, line)) count += line.find(text) != std::string::npos ? 1 : 0;
        return count;
    }

    MapServiceFixture m_service;
    ScratchDirectory m_cache;
    qiv::Settings m_setting;
};

#endif
