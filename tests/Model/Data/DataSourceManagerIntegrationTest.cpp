#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "DataSupplyFixture.h"
#include "FileManager.h"
#include "K7DataCtg.h"
#include "ServerDataSource.h"
#include "UnitConvertor.h"

using qiv::AuthManager;
using qiv::CacheController;
using qiv::DataSourceManager;
using qiv::FileManager;
using qiv::Settings;

namespace {

class DataSourceManagerIntegrationTest : public ::testing::Test {
protected:
    // The first `count` stored level-2 keys.
    std::vector<std::string> levelTwoKeys(size_t count) const {
        std::vector<std::string> keys;
        for (const std::string& key : m_supply.m_service.storedQuadKeys())
            if (key.size() == 2 && keys.size() < count) keys.push_back(key);
        return keys;
    }
    bool allInMemory(DataSourceManager& manager, const std::vector<std::string>& keys) {
        return std::all_of(keys.begin(), keys.end(),
                           [&](const std::string& key) { return manager.inMemory(key); });
    }
    size_t requestsFor(const std::string& key) const {
        size_t count = 0;
        for (const auto& request : m_supply.tileRequests())
            count += static_cast<size_t>(std::count(request.begin(), request.end(), key));
        return count;
    }
    // The quad key held by a decoded tile.
    static std::string keyOf(K7DataCtg* tile) {
        const char* bytes = tile->getBinary();
        const uint32_t header = tile->getSizeAll() - tile->getSize();
        return qiv::ServerDataSource::getQuadKey(bytes + header, tile->getSize());
    }

    DataSupplyFixture m_supply;
};

} // namespace

TEST_F(DataSourceManagerIntegrationTest, MissingTilesAreFetchedInChunksIntoBothCaches) {
    DataSourceManager manager(3);
    m_supply.configure(manager);
    const std::vector<std::string> keys = levelTwoKeys(10);
    ASSERT_EQ(keys.size(), 10u);
    for (const std::string& key : keys) EXPECT_EQ(manager.getData(key), nullptr) << key;

    manager.getDataRequest(keys);
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return allInMemory(manager, keys); }))
        << m_supply.m_service.serverOutput();

    // quad_num 4: one task, three URLs of 4, 4 and 2 keys, together the keys
    // in order. The service logs an answer after sending it: wait for the lines.
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return m_supply.tileRequests().size() >= 3; }));
    const auto requests = m_supply.tileRequests();
    ASSERT_EQ(requests.size(), 3u);
    std::vector<size_t> sizes;
    std::vector<std::string> requested;
    for (const auto& request : requests) {
        sizes.push_back(request.size());
        requested.insert(requested.end(), request.begin(), request.end());
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<size_t>{2, 4, 4}));
    std::sort(requested.begin(), requested.end());
    EXPECT_EQ(requested, keys);

    std::map<std::string, K7DataCtg*> found;
    manager.getData(keys, &found);
    ASSERT_EQ(found.size(), keys.size());
    for (const auto& tile : found) EXPECT_EQ(keyOf(tile.second), tile.first);
    for (const std::string& key : keys) {
        std::ifstream file(m_supply.tileFile(key), std::ios::binary);
        const std::string onDisk((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_EQ(onDisk, m_supply.m_service.storedTile(key)) << key;
    }

    // Memory emptied: the next look-up decodes the tile from disk, without a request.
    manager.clearMemoryCache();
    EXPECT_FALSE(manager.inMemory(keys[0]));
    K7DataCtg* fromDisk = manager.getData(keys[0]);
    ASSERT_NE(fromDisk, nullptr);
    EXPECT_EQ(keyOf(fromDisk), keys[0]);
    EXPECT_TRUE(manager.inMemory(keys[0]));
    EXPECT_EQ(m_supply.tileRequests().size(), 3u);
}

TEST_F(DataSourceManagerIntegrationTest, KeyInFlightIsNotRequestedTwice) {
    const std::vector<std::string> keys = levelTwoKeys(3);
    {
        // No workers: its fetch stays queued, so its keys stay in flight.
        DataSourceManager stalled(0);
        m_supply.configure(stalled);
        stalled.getDataRequest({keys[0], keys[1]});

        DataSourceManager manager(3);
        m_supply.configure(manager);
        manager.getDataRequest(keys);
        manager.getDataRequest(keys);
        ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return !m_supply.tileRequests().empty(); }));
        ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return manager.inMemory(keys[2]); }));
        EXPECT_EQ(m_supply.tileRequests(), (std::vector<std::vector<std::string>>{{keys[2]}}));
    }
    // The dropped fetch no longer holds its keys: they are requested again.
    DataSourceManager manager(3);
    m_supply.configure(manager);
    manager.getDataRequest({keys[0], keys[1]});
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return allInMemory(manager, {keys[0], keys[1]}); }));
}

TEST_F(DataSourceManagerIntegrationTest, FailedFetchStoresNothingAndIsRequestedAgain) {
    const std::string key = levelTwoKeys(1).front();
    {
        // A tile version the service does not have: every answer is 404.
        DataSourceManager stale(1);
        m_supply.configure(stale, "19990101");
        stale.getDataRequest({key});
        // Once the failed fetch has ended the key is free for the next frame.
        ASSERT_TRUE(DataSupplyFixture::waitFor([&] {
            stale.getDataRequest({key});
            return requestsFor(key) >= 2;
        })) << m_supply.m_service.serverOutput();
        EXPECT_GE(m_supply.logLines(" 404 "), 2);
    }
    EXPECT_FALSE(CacheController::existMemory(DataSupplyFixture::cacheKey(key)));
    EXPECT_NE(FileManager::isExist(m_supply.tileFile(key), nullptr), 0);

    DataSourceManager manager(1);
    m_supply.configure(manager);
    manager.getDataRequest({key});
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return manager.inMemory(key); }));
    EXPECT_EQ(FileManager::isExist(m_supply.tileFile(key), nullptr), 0);
}

TEST_F(DataSourceManagerIntegrationTest, DamagedDiskTileIsDroppedAndFetchedAgain) {
    const std::vector<std::string> keys = levelTwoKeys(2);
    DataSourceManager manager(2);
    m_supply.configure(manager);
    manager.getDataRequest(keys);
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return allInMemory(manager, keys); }));
    manager.clearMemoryCache();

    // One file cut short, one with its inner lengths overwritten.
    const std::string whole = m_supply.m_service.storedTile(keys[0]);
    ASSERT_EQ(FileManager::write(m_supply.tileFile(keys[0]), whole.data(), static_cast<int>(whole.size() / 2)), 0);
    std::string corrupt = m_supply.m_service.storedTile(keys[1]);
    std::fill(corrupt.begin() + 4, corrupt.begin() + 12, '\xfe');
    ASSERT_EQ(FileManager::write(m_supply.tileFile(keys[1]), corrupt.data(), static_cast<int>(corrupt.size())), 0);

    for (const std::string& key : keys) {
        EXPECT_EQ(manager.getData(key), nullptr) << key;
        EXPECT_NE(FileManager::isExist(m_supply.tileFile(key), nullptr), 0) << "dropped: " << key;
    }
    manager.getDataRequest(keys);
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return allInMemory(manager, keys); }));
    manager.clearMemoryCache();
    for (const std::string& key : keys) {
        K7DataCtg* tile = manager.getData(key);
        ASSERT_NE(tile, nullptr) << key;
        EXPECT_EQ(keyOf(tile), key);
    }
}

TEST_F(DataSourceManagerIntegrationTest, VersionChangeClearsTheCachesOfItsKind) {
    DataSourceManager manager(1);
    m_supply.configure(manager);
    const std::string key = levelTwoKeys(1).front();
    const std::string tile = m_supply.m_service.storedTile(key);
    const std::string globalFile = m_supply.m_setting.cacheDir + m_supply.m_setting.globalPath +
                                   DataSupplyFixture::serviceId() + m_supply.m_setting.globalDataExt;
    auto fillCaches = [&] {
        ASSERT_EQ(CacheController::putLocalDraw(DataSupplyFixture::cacheKey(key), qiv::LocalCache::createValue(DataSupplyFixture::cacheKey(key)),
                                                tile.data(), static_cast<int>(tile.size())), 0);
        ASSERT_EQ(CacheController::putLocalGlobal("global", 6), 0);
    };
    auto tileCached = [&] { return FileManager::isExist(m_supply.tileFile(key), nullptr) == 0; };
    auto globalCached = [&] { return FileManager::isExist(globalFile, nullptr) == 0; };

    // Stored versions equal to the service's: nothing is cleared.
    manager.saveVersion(Settings::kGlobalKind, MapServiceFixture::kGlobalVersion);
    manager.saveVersion(Settings::kLocalKind, MapServiceFixture::kLocalVersion);
    fillCaches();
    std::string version;
    EXPECT_EQ(manager.checkVersion(Settings::kGlobalKind, &version), 0);
    EXPECT_EQ(version, MapServiceFixture::kGlobalVersion);
    EXPECT_EQ(manager.checkVersion(Settings::kLocalKind, &version), 0);
    EXPECT_EQ(version, MapServiceFixture::kLocalVersion);
    EXPECT_TRUE(tileCached());
    EXPECT_TRUE(globalCached());

    // An old tile version clears the tiles only, and is replaced.
    manager.saveVersion(Settings::kLocalKind, "old");
    EXPECT_EQ(manager.checkVersion(Settings::kLocalKind, nullptr), 0);
    EXPECT_FALSE(tileCached());
    EXPECT_TRUE(globalCached());
    EXPECT_EQ(manager.getVersion(Settings::kLocalKind), MapServiceFixture::kLocalVersion);

    // A missing global version clears the global file only.
    fillCaches();
    FileManager::removeDF(manager.createLocalVersionPath(Settings::kGlobalKind));
    EXPECT_EQ(manager.checkVersion(Settings::kGlobalKind, nullptr), 0);
    EXPECT_FALSE(globalCached());
    EXPECT_TRUE(tileCached());
    EXPECT_EQ(manager.getVersion(Settings::kGlobalKind), MapServiceFixture::kGlobalVersion);
    // The version file is the bare version, under the "-v" extension of division 12.
    EXPECT_EQ(manager.createLocalVersionPath(Settings::kGlobalKind),
              m_supply.m_setting.cacheDir + m_supply.m_setting.globalPath + DataSupplyFixture::serviceId() +
                  m_supply.m_setting.globalVersionExt);

    EXPECT_EQ(manager.checkVersion(2, &version), -1);
}

TEST_F(DataSourceManagerIntegrationTest, InstalledModeAsksNoVersionAndWritesNoDisk) {
    ScratchDirectory installed;
    const std::string key = "0123";
    const std::string tile = m_supply.m_service.storedTile(key);
    ASSERT_EQ(FileManager::makedirs(installed.file("DrawDataGL")), 0);
    ASSERT_EQ(FileManager::write(installed.file("DrawDataGL/" + key + ".dat"), tile.data(), static_cast<int>(tile.size())), 0);
    Settings settings = m_supply.m_setting;
    settings.dataPath = installed.path();
    DataSourceManager manager(1);
    manager.setInitParams(0, settings, DataSupplyFixture::serviceId(), 12, "", "");

    std::string version = "untouched";
    EXPECT_EQ(manager.checkVersion(Settings::kLocalKind, &version), 0);
    EXPECT_EQ(version, "untouched");
    manager.getDataRequest({key, "0000"});
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return manager.inMemory(key); }));
    EXPECT_FALSE(manager.inMemory("0000"));
    EXPECT_NE(FileManager::isExist(m_supply.tileFile(key), nullptr), 0);
    EXPECT_TRUE(m_supply.tileRequests().empty());
}

TEST_F(DataSourceManagerIntegrationTest, GlobalDataComesFromTheServiceThenFromDisk) {
    DataSourceManager manager(0);
    m_supply.configure(manager);
    auto global = std::make_unique<K7DataCtg>();
    K7DataCtg* record = global.get();
    ASSERT_EQ(manager.getGlobalData(record), 0);
    EXPECT_FALSE(record->getContents().empty());
    const std::string fileRequest = m_supply.m_setting.fileCgi + "?file=";
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return m_supply.logLines(fileRequest) == 1; }));
    const int fetches = 1;

    auto again = std::make_unique<K7DataCtg>();
    record = again.get();
    ASSERT_EQ(manager.getGlobalData(record), 0);
    EXPECT_EQ(again->getContents().size(), global->getContents().size());
    EXPECT_EQ(m_supply.logLines(fileRequest), fetches) << "read from disk";

    // A damaged global file is fetched again and replaced.
    ASSERT_EQ(CacheController::putLocalGlobal("\x1f\x8b broken", 9), 0);
    auto repaired = std::make_unique<K7DataCtg>();
    record = repaired.get();
    ASSERT_EQ(manager.getGlobalData(record), 0);
    EXPECT_TRUE(DataSupplyFixture::waitFor([&] { return m_supply.logLines(fileRequest) == fetches + 1; }));
}

TEST_F(DataSourceManagerIntegrationTest, ExpiredLoginCycleLogsInAgainOnEveryTileAnswer) {
    ASSERT_EQ(m_supply.logIn(m_supply.m_service.account().consumerSecret, 0.0), 0);
    // The fixture's login and this one; the service logs each after answering.
    const std::string login = m_supply.m_setting.authDir + "?";
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return m_supply.logLines(login) == 2; }));
    const int loginsBefore = 2;
    DataSourceManager manager(1);
    m_supply.configure(manager);
    const std::vector<std::string> keys = levelTwoKeys(2);
    manager.getDataRequest({keys[0]});
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return manager.inMemory(keys[0]); }));
    EXPECT_TRUE(DataSupplyFixture::waitFor([&] { return m_supply.logLines(login) == loginsBefore + 1; }));
    EXPECT_EQ(m_supply.logLines(login), loginsBefore + 1);

    // The renewal is refused: the fetch fails, stores nothing, and the status says so.
    m_supply.setLogin("not-the-secret", 0.0);
    manager.getDataRequest({keys[1]});
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return AuthManager::getStatus() == 3; }));
    EXPECT_TRUE(DataSupplyFixture::waitFor([&] { return requestsFor(keys[1]) == 1; }));
    EXPECT_FALSE(manager.inMemory(keys[1]));
    EXPECT_NE(FileManager::isExist(m_supply.tileFile(keys[1]), nullptr), 0);
}

TEST_F(DataSourceManagerIntegrationTest, TilesFetchedBeforeARestartAreReadFromDisk) {
    const std::vector<std::string> keys = levelTwoKeys(3);
    {
        DataSourceManager manager(3);
        m_supply.configure(manager);
        manager.getDataRequest(keys);
        ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return allInMemory(manager, keys); }));
    }
    // A new start: the disk index is rebuilt from the files, memory is empty.
    CacheController::clearMemory();
    CacheController::createDirs();
    DataSourceManager manager(3);
    m_supply.configure(manager);
    for (const std::string& key : keys) {
        K7DataCtg* tile = manager.getData(key);
        ASSERT_NE(tile, nullptr) << key;
        EXPECT_EQ(keyOf(tile), key);
    }
    ASSERT_TRUE(DataSupplyFixture::waitFor([&] { return !m_supply.tileRequests().empty(); }));
    EXPECT_EQ(m_supply.tileRequests().size(), 1u);
}

TEST_F(DataSourceManagerIntegrationTest, MapAreaSaysWhetherTheTileUnderAPointHoldsContent) {
    DataSourceManager manager(0);
    m_supply.configure(manager);
    // The middle of a tile: stored tiles hold polylines, an unknown one is not answered.
    auto middleOf = [](const std::string& key) {
        double x = 0;
        double y = 0;
        qiv::UnitConvertor::QuadKey2FourByte(key, &x, &y);
        const double half = qiv::UnitConvertor::getQuadSize(static_cast<int>(key.size())) / 2;
        return qiv::UnitConvertor::FourByte2LatLng(x + half, y + half);
    };
    EXPECT_EQ(manager.checkMapArea(middleOf("0123"), 4.7), 1);
    EXPECT_EQ(manager.checkMapArea(middleOf("3333"), 4.2), -1);
    EXPECT_FALSE(manager.inMemory("0123")) << "the answer is not cached";
}
