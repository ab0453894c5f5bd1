#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "CacheController.h"
#include "FileManager.h"
#include "InProcessMapService.h"
#include "Initializer.h"
#include "K7DataCtg.h"
#include "LocalCache.h"
#include "ScratchDirectory.h"
#include "TlsTestServer.h"

using qiv::CacheController;
using qiv::FileManager;
using qiv::Initializer;

namespace {

class InitializerIntegrationTest : public ::testing::Test {
protected:
    void TearDown() override {
        CacheController::clearMemory();
        CacheController::setEnabled(false);
    }

    // Runs start-up against `service` with the login host `certDomain`
    // (default: the service's own host) and the account's secret or `secret`.
    int startUp(const InProcessMapService& service, const std::string& certDomain = "",
                const std::string& secret = "", const std::string& cacheDir = "") {
        Initializer::m_setting.configHost = service.host();
        return Initializer::initialize(certDomain.empty() ? service.host() : certDomain,
                                       service.account().consumerKey,
                                       secret.empty() ? service.account().consumerSecret : secret, "",
                                       cacheDir.empty() ? m_cache.path() : cacheDir, "",
                                       service.caFile(), 160, 1, "");
    }
    std::string cached(const std::string& relative) const { return m_cache.path() + relative; }
    static bool exists(const std::string& path) { return FileManager::isExist(path, nullptr) == 0; }

    ScratchDirectory m_cache;
};

bool waitFor(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace

TEST_F(InitializerIntegrationTest, StartUpEndToEnd) {
    InProcessMapService service;
    ASSERT_EQ(startUp(service), Initializer::kReady);
    EXPECT_EQ(Initializer::m_status, Initializer::kReady);
    EXPECT_EQ(Initializer::m_cid, InProcessMapService::kServiceId);
    EXPECT_EQ(Initializer::m_div, 12);
    EXPECT_EQ(Initializer::m_setting.dataHost, service.host());
    EXPECT_EQ(Initializer::m_setting.quadNum, 4);
    EXPECT_EQ(Initializer::m_setting.dpi, 160);
    EXPECT_EQ(Initializer::m_gVersion, InProcessMapService::kGlobalVersion);
    EXPECT_EQ(Initializer::m_lVersion, InProcessMapService::kLocalVersion);
    ASSERT_NE(Initializer::m_global, nullptr);
    EXPECT_FALSE(Initializer::m_global->getContents().empty());

    // Caches: enabled with the granted 100 MiB, versions and global data on disk.
    EXPECT_TRUE(CacheController::m_isEnablelocalCache);
    EXPECT_EQ(CacheController::m_localCache.limit(), 100u * 1048576u);
    EXPECT_EQ(CacheController::m_cid, InProcessMapService::kServiceId);
    const qiv::Settings& s = Initializer::m_setting;
    EXPECT_TRUE(exists(cached(s.globalPath + InProcessMapService::kServiceId + s.globalDataExt)));
    std::ifstream version(cached(s.localPath + InProcessMapService::kServiceId + s.localVersionExt));
    std::string stored;
    std::getline(version, stored);
    EXPECT_EQ(stored, InProcessMapService::kLocalVersion);

    // The background map arrives on its own thread.
    ASSERT_TRUE(waitFor([] { return Initializer::m_bg.load() != nullptr; }));
    EXPECT_FALSE(Initializer::m_bg.load()->getContents().empty());
}

TEST_F(InitializerIntegrationTest, FailuresGiveTheirStatus) {
    struct Case {
        const char* name;
        InProcessMapService::Options options;
        bool badSecret;
        int status;
    };
    InProcessMapService::Options unlistedDivision;
    unlistedDivision.division = 55;
    InProcessMapService::Options noGlobalFile;
    noGlobalFile.withGlobalData = false;
    InProcessMapService::Options noVersion;
    noVersion.withLocalVersion = false;
    InProcessMapService::Options twoDivisionsForeignHost;
    twoDivisionsForeignHost.division = 1234;
    twoDivisionsForeignHost.adjustConfig = [](ServiceConfig& config, const std::string&) {
        config.authHost = "prod.invalid";
        config.verificationAuthHost = "veri.invalid";
    };
    const std::vector<Case> cases{
        {"bad secret", {}, true, Initializer::kAuthenticationFailed},
        {"division not in the server list", unlistedDivision, false, Initializer::kConfigurationFailed},
        {"no tile version", noVersion, false, Initializer::kConfigurationFailed},
        {"two divisions, login host neither", twoDivisionsForeignHost, false, Initializer::kConfigurationFailed},
        {"no global data", noGlobalFile, false, Initializer::kGlobalDataFailed},
    };
    for (const Case& test : cases) {
        InProcessMapService service(test.options);
        ScratchDirectory cache;
        const int status = startUp(service, "", test.badSecret ? "wrong-secret" : "", cache.path());
        EXPECT_EQ(status, test.status) << test.name;
        EXPECT_EQ(Initializer::m_status, test.status) << test.name;
        if (test.status == Initializer::kGlobalDataFailed) {
            EXPECT_EQ(Initializer::m_global, nullptr);
        }
    }
}

TEST_F(InitializerIntegrationTest, FourDigitDivisionIsSplitByTheLoginHost) {
    InProcessMapService::Options options;
    options.division = 1234;
    options.adjustConfig = [](ServiceConfig& config, const std::string& port) {
        config.verificationAuthHost = "localhost:" + port;
        config.authHost = "127.0.0.1:" + port;
        config.dataHosts[12] = "localhost:" + port;
        config.dataHosts[34] = "127.0.0.1:" + port;
    };
    InProcessMapService service(options);
    const std::string port = std::to_string(service.port());
    ASSERT_EQ(startUp(service, "localhost:" + port), Initializer::kReady);
    EXPECT_EQ(Initializer::m_div, 12);
    EXPECT_EQ(Initializer::m_setting.dataHost, "localhost:" + port);
    ASSERT_EQ(startUp(service, "127.0.0.1:" + port), Initializer::kReady);
    EXPECT_EQ(Initializer::m_div, 34);
    EXPECT_EQ(Initializer::m_setting.dataHost, "127.0.0.1:" + port);
}

TEST_F(InitializerIntegrationTest, NoGrantedCacheLeavesTheDiskCacheOffAndEmpty) {
    {
        InProcessMapService service;
        ASSERT_EQ(startUp(service), Initializer::kReady);
    }
    const qiv::Settings s = Initializer::m_setting;
    const std::string globalFile = cached(s.globalPath + InProcessMapService::kServiceId + s.globalDataExt);
    ASSERT_TRUE(exists(globalFile));

    InProcessMapService::Options options;
    options.cacheMiB = 0;
    InProcessMapService service(options);
    ASSERT_EQ(startUp(service), Initializer::kReady);
    EXPECT_FALSE(CacheController::m_isEnablelocalCache);
    EXPECT_EQ(CacheController::m_localCache.limit(), 0u);
    EXPECT_FALSE(exists(globalFile));
    ASSERT_NE(Initializer::m_global, nullptr) << "global data still comes from the service";
}

TEST_F(InitializerIntegrationTest, VersionChangeClearsTheCachedTilesAtStart) {
    InProcessMapService service;
    ASSERT_EQ(startUp(service), Initializer::kReady);
    const qiv::Settings s = Initializer::m_setting;
    const qiv::StringPair key(InProcessMapService::kServiceId, "0123");
    const std::string tile = "cached tile bytes";
    ASSERT_EQ(CacheController::putLocalDraw(key, qiv::LocalCache::createValue(key), tile.data(), int(tile.size())), 0);
    const std::string tileFile = cached(s.localPath + "/4/" + InProcessMapService::kServiceId + "/0123/local.dat");
    ASSERT_TRUE(exists(tileFile));

    // Same version: the tile stays and is indexed again from its file.
    ASSERT_EQ(startUp(service), Initializer::kReady);
    EXPECT_TRUE(exists(tileFile));
    EXPECT_TRUE(CacheController::m_localCache.exist(key));

    const std::string versionFile = cached(s.localPath + InProcessMapService::kServiceId + s.localVersionExt);
    ASSERT_EQ(FileManager::write(versionFile, "20000101", 8), 0);
    ASSERT_EQ(startUp(service), Initializer::kReady);
    EXPECT_FALSE(exists(tileFile));
    EXPECT_FALSE(CacheController::m_localCache.exist(key));
}

TEST_F(InitializerIntegrationTest, ConfigurationWithoutLoginCycleIsRefusedAfterFourAttempts) {
    InProcessMapService service;
    const std::string real =
        R"({"domain":{"auth":{"veri":"a","prod":"b"},"data":{"12":"h"}},"cgi":{"local":"/t","file":"/f","quad_num":4},)"
        R"("path":{"global":"/g/","local":"/l/"},"ext":{"global":".g","local":".l","global-v":".gv","local-v":".lv","g_data":".gd"},)"
        R"("auth":{"dir":"/Veltar/auth"}})";
    ScratchDirectory certificates;
    TlsTestServer config(certificates.path(), [&](const std::string&) {
        TlsTestServer::Answer answer;
        answer.body = real;
        return answer;
    });
    Initializer::m_setting.configHost = "localhost:" + std::to_string(config.port());
    const int status = Initializer::initialize(service.host(), service.account().consumerKey,
                                               service.account().consumerSecret, "", m_cache.path(), "",
                                               config.caFile(), 160, 1, "");
    EXPECT_EQ(status, Initializer::kConfigurationFailed);
    EXPECT_EQ(config.targets(), std::vector<std::string>(4, "/Veltar/config.json"));
}

// A process that exits while the background map may still be downloading
// stops the download first, so it never runs inside the TLS libraries' exit
// handlers (which crashed such exits now and then).
TEST_F(InitializerIntegrationTest, ExitRightAfterStartUpIsClean) {
    // Each child starts afresh: a forked copy would inherit workers it lacks.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    InProcessMapService service;
    for (int run = 0; run < 3; ++run) {
        EXPECT_EXIT(
            {
                startUp(service);
                std::exit(0);
            },
            ::testing::ExitedWithCode(0), "")
            << "run " << run;
    }
}

