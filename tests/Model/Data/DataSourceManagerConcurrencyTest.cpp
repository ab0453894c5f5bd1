#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "DataSupplyFixture.h"
#include "K7DataCtg.h"

using qiv::CacheController;
using qiv::DataSourceManager;

// Two engines' managers fetch overlapping tiles on their workers while a
// drawing thread looks tiles up, reads them, empties the memory and sets its
// manager up again now and then, and another thread reads the caches directly.
TEST(DataSourceManagerConcurrencyTest, FetchesCacheReadsAndFrameLookUpsRunTogether) {
    DataSupplyFixture supply;
    const std::vector<std::string>& keys = supply.m_service.storedQuadKeys();
    DataSourceManager first(3);
    DataSourceManager second(3);
    supply.configure(first);
    supply.configure(second);

    std::atomic<bool> drawing{true};
    std::thread cacheReader([&] {
        while (drawing) {
            for (const std::string& key : keys) {
                const qiv::StringPair pair = DataSupplyFixture::cacheKey(key);
                CacheController::existMemory(pair);
                char* bytes = nullptr;
                int length = 0;
                if (CacheController::getLocalDraw(pair, qiv::LocalCache::createValue(pair), bytes, &length) == 0)
                    delete[] bytes;
            }
        }
    });
    std::thread otherFrames([&] {
        while (drawing) second.getDataRequest(keys);
    });

    // The drawing thread: the only one that holds records between look-ups.
    size_t frames = 0;
    bool complete = false;
    const bool finished = DataSupplyFixture::waitFor([&] {
        std::map<std::string, K7DataCtg*> found;
        first.getData(keys, &found);
        size_t records = 0;
        for (const auto& tile : found) records += tile.second->getContents().size();
        EXPECT_GE(records, found.size());
        std::vector<std::string> missing;
        for (const std::string& key : keys)
            if (found.count(key) == 0) missing.push_back(key);
        first.getDataRequest(missing);
        if (++frames % 50 == 0) first.clearMemoryCache();
        if (frames % 20 == 0) supply.configure(first);
        complete = missing.empty() && frames > 200;
        return complete;
    });
    drawing = false;
    cacheReader.join();
    otherFrames.join();
    EXPECT_TRUE(finished) << supply.m_service.serverOutput();
}
