#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "CacheController.h"
#include "FileManager.h"
#include "K7DataCtg.h"
#include "ScratchDirectory.h"
#include "TileBytes.h"

using qiv::CacheController;
using qiv::FileManager;
using qiv::LocalCache;
using qiv::StringPair;

namespace {

// One worker's mix of cache operations on a shared set of keys.
void hammer(unsigned seed, const std::vector<std::string>& keys,
            const std::vector<std::string>& tiles) {
    std::mt19937 random(seed);
    for (int step = 0; step < 400; ++step) {
        size_t pick = random() % keys.size();
        StringPair key{"S", keys[pick]};
        std::string value = LocalCache::createValue(key);
        switch (random() % 6) {
        case 0:
            CacheController::putLocalDraw(key, value, tiles[pick].data(),
                                          static_cast<int>(tiles[pick].size()));
            break;
        case 1: {
            K7DataCtg* record = nullptr;
            if (CacheController::getLocalDrawRecord(key, value, record) == 0) delete record;
            break;
        }
        case 2: {
            K7DataCtg* record = new K7DataCtg();
            CacheController::putMemory(key, record);
            break;
        }
        case 3: {
            K7DataCtg* record = nullptr;
            CacheController::getMemory(key, record);
            break;
        }
        case 4:
            CacheController::eraseMemory(key);
            break;
        default:
            CacheController::setSize(tiles[0].size() * (4 + random() % 8));
            break;
        }
    }
}

} // namespace

// Tile workers, the drawing thread and start-up share the process-wide
// caches: concurrent operations must leave the disk index and its byte count
// describing exactly the files on disk.
TEST(CacheConcurrencyTest, ConcurrentOperationsKeepTheDiskIndexExact) {
    ScratchDirectory dir;
    CacheController::m_setting.cacheDir = dir.path();
    CacheController::m_setting.localPath = "/local";
    CacheController::m_setting.globalPath = "/global/";
    CacheController::m_cid = "S";
    CacheController::createDirs();
    CacheController::setEnabled(true);

    std::vector<std::string> keys;
    std::vector<std::string> tiles;
    for (int i = 0; i < 32; ++i) {
        keys.push_back("0" + std::to_string(1000 + i));
        tiles.push_back(tileBytes(keys.back()));
    }
    CacheController::setSize(tiles[0].size() * 8);

    std::atomic<bool> done{false};
    std::thread toggler([&] {
        while (!done) {
            CacheController::setEnabled(false);
            std::this_thread::yield();
            CacheController::setEnabled(true);
        }
    });
    std::vector<std::thread> workers;
    for (unsigned seed = 1; seed <= 4; ++seed) workers.emplace_back(hammer, seed, keys, tiles);
    for (std::thread& worker : workers) worker.join();
    done = true;
    toggler.join();
    CacheController::setEnabled(true);
    CacheController::setSize(tiles[0].size() * 6);

    std::vector<std::string> files;
    FileManager::fileList(dir.path() + "/local", &files);
    uint64_t onDisk = 0;
    for (const std::string& file : files) onDisk += FileManager::filesize(file);
    EXPECT_EQ(onDisk, CacheController::m_localCache.totalSize());
    EXPECT_EQ(files.size(), static_cast<size_t>(CacheController::m_localCache.size()));
    EXPECT_LE(onDisk, tiles[0].size() * 6);
    for (size_t i = 0; i < keys.size(); ++i) {
        StringPair key{"S", keys[i]};
        K7DataCtg* record = nullptr;
        if (CacheController::getLocalDrawRecord(key, LocalCache::createValue(key), record) == 0) {
            delete record;
        } else {
            EXPECT_FALSE(CacheController::m_localCache.exist(key)) << keys[i];
        }
    }

    CacheController::clearMemory();
    CacheController::setEnabled(false);
    CacheController::m_localCache.forget();
}
