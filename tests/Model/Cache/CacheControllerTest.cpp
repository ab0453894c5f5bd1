#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "CacheController.h"
#include "FileManager.h"
#include "K7DataCtg.h"
#include "K7DataQak.h"
#include "ScratchDirectory.h"
#include "TileBytes.h"

using qiv::CacheController;
using qiv::FileManager;
using qiv::LocalCache;
using qiv::StringPair;

namespace {

int g_destroyed = 0;

// A tile record that counts its destruction.
class CountedTile : public K7DataCtg {
public:
    ~CountedTile() override { ++g_destroyed; }
};

std::string quadKeyOf(K7DataCtg* tile) {
    auto* head = tile->getContents<K7DataCtg>(0);
    K7DataQak* key = head != nullptr ? head->getContents<K7DataQak>(0) : nullptr;
    return key != nullptr ? key->getContents() : "<none>";
}

bool exists(const std::string& path) { return FileManager::isExist(path, nullptr) == 0; }

class CacheControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_destroyed = 0;
        CacheController::m_setting.cacheDir = m_dir.path();
        CacheController::m_setting.localPath = "/tiles/local";
        CacheController::m_setting.globalPath = "/global/";
        CacheController::m_setting.globalDataExt = ".gdat";
        CacheController::m_cid = "S";
        CacheController::createDirs();
        CacheController::setEnabled(true);
        CacheController::setSize(1 << 20);
    }
    void TearDown() override {
        CacheController::clearMemory();
        CacheController::setEnabled(false);
        CacheController::m_localCache.forget();
    }

    int putTile(const std::string& quadKey, const std::string& bytes) {
        StringPair key{"S", quadKey};
        return CacheController::putLocalDraw(key, LocalCache::createValue(key), bytes.data(),
                                             static_cast<int>(bytes.size()));
    }
    // The tile's bytes from disk, or "<miss>".
    std::string getTile(const std::string& quadKey) {
        StringPair key{"S", quadKey};
        char* buffer = nullptr;
        int length = 0;
        if (CacheController::getLocalDraw(key, LocalCache::createValue(key), buffer, &length) != 0) {
            return "<miss>";
        }
        std::string bytes(buffer, length);
        delete[] buffer;
        return bytes;
    }
    std::string tileFile(const std::string& quadKey) {
        return m_dir.path() + "/tiles/local/" + LocalCache::createValue({"S", quadKey}) + "/local.dat";
    }
    std::string globalFile() { return m_dir.path() + "/global/S.gdat"; }

    ScratchDirectory m_dir;
};

} // namespace

TEST_F(CacheControllerTest, MemoryCacheKeepsThe128MostRecentTiles) {
    for (int i = 0; i < 128; ++i) {
        K7DataCtg* tile = new CountedTile();
        CacheController::putMemory({"S", std::to_string(i)}, tile);
    }
    K7DataCtg* first = nullptr;
    ASSERT_EQ(0, CacheController::getMemory({"S", "0"}, first));  // now the most recent
    K7DataCtg* extra = new CountedTile();
    CacheController::putMemory({"S", "128"}, extra);
    EXPECT_EQ(1, g_destroyed);
    EXPECT_TRUE(CacheController::existMemory({"S", "0"}));
    EXPECT_FALSE(CacheController::existMemory({"S", "1"}));

    K7DataCtg* replacement = new CountedTile();
    CacheController::putMemory({"S", "128"}, replacement);
    EXPECT_EQ(2, g_destroyed) << "the replaced record is released at once";
    CacheController::eraseMemory({"S", "128"});
    EXPECT_EQ(3, g_destroyed);
    CacheController::clearMemory();
    EXPECT_EQ(130, g_destroyed) << "every record put in is destroyed";
    K7DataCtg* afterClear = new CountedTile();
    CacheController::putMemory({"S", "x"}, afterClear);
    EXPECT_TRUE(CacheController::existMemory({"S", "x"})) << "clearing keeps the capacity";
}

TEST_F(CacheControllerTest, MemoryEntryWithoutRecordIsAMissAndIsDropped) {
    K7DataCtg* none = nullptr;
    CacheController::putMemory({"S", "0"}, none);
    K7DataCtg* found = nullptr;
    EXPECT_EQ(-1, CacheController::getMemory({"S", "0"}, found));
    EXPECT_FALSE(CacheController::existMemory({"S", "0"}));
}

TEST_F(CacheControllerTest, DisabledDiskCacheStoresAndAnswersNothing) {
    CacheController::setEnabled(false);
    std::string bytes = tileBytes("0123");
    EXPECT_EQ(-1, putTile("0123", bytes));
    EXPECT_FALSE(exists(tileFile("0123")));
    EXPECT_EQ(-1, CacheController::putLocalGlobal("g", 1));
    EXPECT_FALSE(exists(globalFile()));

    CacheController::setEnabled(true);
    ASSERT_EQ(0, putTile("0123", bytes));
    ASSERT_EQ(0, CacheController::putLocalGlobal("g", 1));
    CacheController::setEnabled(false);
    EXPECT_EQ("<miss>", getTile("0123"));
    char* buffer = nullptr;
    int length = 0;
    EXPECT_EQ(-1, CacheController::getLocalGlobal(buffer, &length));
}

TEST_F(CacheControllerTest, TilesSurviveARestartAndAreIndexedByTheirPath) {
    std::string bytes = tileBytes("1302");
    ASSERT_EQ(0, putTile("1302", bytes));
    EXPECT_TRUE(exists(m_dir.path() + "/tiles/local/4/S/1302/local.dat"));

    CacheController::m_localCache.forget();  // a new process knows nothing
    CacheController::createDirs();
    EXPECT_TRUE(CacheController::m_localCache.exist({"S", "1302"}));
    EXPECT_EQ(bytes, getTile("1302"));
}

TEST_F(CacheControllerTest, CachedTileDecodesOrIsDropped) {
    std::string good = tileBytes("1302");
    K7DataCtg* record = nullptr;
    ASSERT_EQ(0, putTile("1302", good));
    ASSERT_EQ(0, CacheController::getLocalDrawRecord({"S", "1302"}, "4/S/1302", record));
    EXPECT_EQ("1302", quadKeyOf(record));
    delete record;

    std::string longer = good;
    longer[3] = static_cast<char>(good.size());  // claims more than the file holds
    struct Case {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"truncated", good.substr(0, good.size() - 2)},
        {"header only", good.substr(0, 3)},
        {"length past the end", longer},
        {"child runs past its parent", std::string("ctg\x05qak\x09" "abc", 11)},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(0, putTile("2031", good));
        std::ofstream(tileFile("2031"), std::ios::binary | std::ios::trunc) << c.bytes;
        record = nullptr;
        EXPECT_EQ(-1, CacheController::getLocalDrawRecord({"S", "2031"}, "4/S/2031", record)) << c.name;
        EXPECT_EQ(nullptr, record) << c.name;
        EXPECT_FALSE(exists(tileFile("2031"))) << c.name << ": the file is dropped";
        EXPECT_EQ("<miss>", getTile("2031")) << c.name;
    }
    EXPECT_EQ(good, getTile("1302")) << "other tiles stay";
}

TEST_F(CacheControllerTest, ByteLimitEvictsLeastRecentlyUsedTiles) {
    std::string bytes = tileBytes("0000");
    CacheController::setSize(3 * bytes.size());
    for (const char* key : {"0000", "0001", "0002"}) ASSERT_EQ(0, putTile(key, bytes));
    EXPECT_EQ(bytes, getTile("0000"));
    ASSERT_EQ(0, putTile("0003", bytes));
    EXPECT_EQ("<miss>", getTile("0001"));
    EXPECT_FALSE(exists(tileFile("0001")));
    EXPECT_EQ(bytes, getTile("0000"));

    CacheController::setSize(bytes.size());
    EXPECT_EQ(1, CacheController::m_localCache.size());
    EXPECT_EQ(bytes, getTile("0000")) << "the most recently read tile stays";
}

TEST_F(CacheControllerTest, ClearingTilesForgetsTheirSizes) {
    std::string bytes = tileBytes("0000");
    CacheController::setSize(2 * bytes.size());
    ASSERT_EQ(0, putTile("0000", bytes));
    ASSERT_EQ(0, putTile("0001", bytes));
    ASSERT_EQ(0, CacheController::putLocalGlobal("global bytes", 12));

    CacheController::clearLocalDraw();
    EXPECT_FALSE(exists(m_dir.path() + "/tiles/local"));
    EXPECT_EQ("<miss>", getTile("0000"));
    EXPECT_EQ(0u, CacheController::m_localCache.totalSize());
    EXPECT_TRUE(exists(globalFile())) << "the global file is another kind";

    // A full limit's worth of new tiles fits again.
    ASSERT_EQ(0, putTile("0002", bytes));
    ASSERT_EQ(0, putTile("0003", bytes));
    EXPECT_EQ(bytes, getTile("0002"));
    EXPECT_EQ(bytes, getTile("0003"));
}

TEST_F(CacheControllerTest, GlobalFileRoundTripAndClear) {
    char* buffer = nullptr;
    int length = 0;
    EXPECT_EQ(-1, CacheController::getLocalGlobal(buffer, &length));
    ASSERT_EQ(0, CacheController::putLocalGlobal("compressed", 10));
    ASSERT_TRUE(exists(globalFile()));
    ASSERT_EQ(0, CacheController::getLocalGlobal(buffer, &length));
    EXPECT_EQ("compressed", std::string(buffer, length));
    delete[] buffer;

    ASSERT_EQ(0, putTile("0000", tileBytes("0000")));
    CacheController::setEnabled(false);
    CacheController::clearLocalGlobal();
    EXPECT_FALSE(exists(globalFile())) << "cleared even while disabled";
    CacheController::setEnabled(true);
    EXPECT_NE("<miss>", getTile("0000")) << "tiles are another kind";

    std::ofstream(globalFile(), std::ios::trunc);
    EXPECT_EQ(-1, CacheController::getLocalGlobal(buffer, &length)) << "an empty file is no data";
}

TEST_F(CacheControllerTest, CreatePathMakesEveryMissingStep) {
    CacheController::createPath("a//b/c/");
    int type = 0;
    EXPECT_EQ(0, FileManager::isExist(m_dir.path() + "/a/b/c", &type));
    EXPECT_EQ(2, type);
}
