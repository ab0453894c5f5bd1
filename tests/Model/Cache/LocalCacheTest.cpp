#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "FileManager.h"
#include "LocalCache.h"
#include "ScratchDirectory.h"

using qiv::FileManager;
using qiv::LocalCache;
using qiv::StringPair;

namespace {

bool exists(const std::string& path) { return FileManager::isExist(path, nullptr) == 0; }

void writeFile(const std::string& path, const std::string& bytes) {
    ASSERT_EQ(0, FileManager::makedirs(path.substr(0, path.rfind('/'))));
    std::ofstream(path, std::ios::binary) << bytes;
}

class LocalCacheTest : public ::testing::Test {
protected:
    void SetUp() override { m_cache.setPath(m_dir.path()); }

    int put(const StringPair& key, const std::string& bytes) {
        return m_cache.put(key, LocalCache::createValue(key), bytes.data(),
                           static_cast<int>(bytes.size()));
    }
    // The stored bytes, or "<miss>".
    std::string get(LocalCache& cache, const StringPair& key) {
        char* buffer = nullptr;
        int length = 0;
        if (cache.get(key, LocalCache::createValue(key), buffer, &length) != 0) return "<miss>";
        std::string bytes(buffer, length);
        delete[] buffer;
        return bytes;
    }
    std::string tileFile(const StringPair& key) {
        return m_dir.file(LocalCache::createValue(key) + "/local.dat");
    }

    ScratchDirectory m_dir;
    LocalCache m_cache{1000};
};

} // namespace

TEST_F(LocalCacheTest, ValueIsKeyLengthServiceAndKey) {
    EXPECT_EQ("4/S/1302", LocalCache::createValue({"S", "1302"}));
    EXPECT_EQ("0/S/", LocalCache::createValue({"S", ""}));
}

TEST_F(LocalCacheTest, StoredTileIsReadBackAndCounted) {
    ASSERT_EQ(0, put({"S", "1302"}, "tile bytes"));
    EXPECT_TRUE(exists(m_dir.file("4/S/1302/local.dat")));
    EXPECT_EQ("tile bytes", get(m_cache, {"S", "1302"}));
    EXPECT_EQ(10u, m_cache.totalSize());
    EXPECT_EQ("<miss>", get(m_cache, {"S", "1303"}));

    ASSERT_EQ(0, put({"S", "1302"}, "new"));
    EXPECT_EQ("new", get(m_cache, {"S", "1302"}));
    EXPECT_EQ(3u, m_cache.totalSize()) << "the older copy is no longer counted";
    EXPECT_EQ(-1, put({"S", "1"}, ""));
    EXPECT_FALSE(m_cache.exist({"S", "1"}));
}

TEST_F(LocalCacheTest, IndexIsRebuiltFromTheFilesFoundAtStart) {
    writeFile(m_dir.file("4/S/1302/local.dat"), std::string(30, 'a'));
    writeFile(m_dir.file("2/T/01/local.dat"), std::string(12, 'b'));
    // Files that are not where a tile of their pair belongs are left alone.
    writeFile(m_dir.file("3/S/12/local.dat"), "length does not match the key");
    writeFile(m_dir.file("S/local.dat"), "too shallow");
    writeFile(m_dir.file("4/S/1303/other.dat"), "not a tile file");
    writeFile(m_dir.file("4/S/1310/.local.dat"), "hidden");

    LocalCache restarted(0);
    restarted.setPath(m_dir.path());
    EXPECT_TRUE(restarted.exist({"S", "1302"}));
    EXPECT_TRUE(restarted.exist({"T", "01"}));
    EXPECT_FALSE(restarted.exist({"S", "12"}));
    EXPECT_FALSE(restarted.exist({"S", "1303"}));
    EXPECT_EQ(2, restarted.size());
    EXPECT_EQ(42u, restarted.totalSize());
    EXPECT_TRUE(exists(m_dir.file("4/S/1302/local.dat"))) << "a limit of 0 before setSize evicts nothing";
    EXPECT_EQ(std::string(12, 'b'), get(restarted, {"T", "01"}));
}

TEST_F(LocalCacheTest, ByteLimitEvictsLeastRecentlyUsedTiles) {
    m_cache.setSize(250);
    std::string tile(100, 'x');
    ASSERT_EQ(0, put({"S", "0"}, tile));
    ASSERT_EQ(0, put({"S", "1"}, tile));
    ASSERT_EQ(0, put({"S", "2"}, tile));
    EXPECT_FALSE(m_cache.exist({"S", "0"}));
    EXPECT_FALSE(exists(m_dir.file("1/S/0"))) << "the evicted tile's directory is removed";
    EXPECT_TRUE(exists(m_dir.file("1/S"))) << "parent directories stay";
    EXPECT_EQ(200u, m_cache.totalSize());

    EXPECT_EQ(tile, get(m_cache, {"S", "1"}));  // "2" is now the oldest
    ASSERT_EQ(0, put({"S", "3"}, tile));
    EXPECT_TRUE(m_cache.exist({"S", "1"}));
    EXPECT_FALSE(m_cache.exist({"S", "2"}));

    m_cache.setSize(150);
    EXPECT_EQ(1, m_cache.size());
    EXPECT_TRUE(m_cache.exist({"S", "3"}));
    m_cache.setSize(0);
    EXPECT_EQ(0, m_cache.size());
    EXPECT_EQ(0u, m_cache.totalSize());
}

TEST_F(LocalCacheTest, RebuiltSizesDriveEviction) {
    ASSERT_EQ(0, put({"S", "0"}, "aaaa"));
    ASSERT_EQ(0, put({"S", "1"}, "bbbb"));
    LocalCache restarted(0);
    restarted.setPath(m_dir.path());
    ASSERT_EQ(8u, restarted.totalSize());
    restarted.setSize(4);
    EXPECT_EQ(1, restarted.size()) << "evicting stops as soon as the total fits";
    EXPECT_EQ(4u, restarted.totalSize());
}

TEST_F(LocalCacheTest, UnreadableTileFilesAreDroppedOnRead) {
    ASSERT_EQ(0, put({"S", "10"}, "abc"));
    ASSERT_EQ(0, put({"S", "11"}, "defg"));
    std::ofstream(tileFile({"S", "10"}), std::ios::trunc);  // emptied behind the cache's back
    EXPECT_EQ("<miss>", get(m_cache, {"S", "10"}));
    EXPECT_FALSE(m_cache.exist({"S", "10"}));
    EXPECT_FALSE(exists(m_dir.file("2/S/10")));

    FileManager::removeAll(m_dir.file("2/S/11"));
    EXPECT_EQ("<miss>", get(m_cache, {"S", "11"}));
    EXPECT_FALSE(m_cache.exist({"S", "11"}));
    EXPECT_EQ(0, m_cache.size());
}

TEST_F(LocalCacheTest, ClearEmptiesTheRootAndKeepsItUsable) {
    ASSERT_EQ(0, put({"S", "0"}, "aaaa"));
    writeFile(m_dir.file("stray.txt"), "x");
    m_cache.clear();
    EXPECT_EQ(0, m_cache.size());
    EXPECT_EQ(0u, m_cache.totalSize());
    EXPECT_TRUE(exists(m_dir.path()));
    EXPECT_FALSE(exists(m_dir.file("stray.txt")));
    ASSERT_EQ(0, put({"S", "0"}, "bb"));
    EXPECT_EQ("bb", get(m_cache, {"S", "0"}));
}

TEST_F(LocalCacheTest, FailedWriteIndexesNothing) {
    LocalCache unwritable(1000);
    unwritable.setPath("/proc/tolkmaps-no-such-root");
    std::string bytes = "abc";
    EXPECT_EQ(-1, unwritable.put({"S", "0"}, "1/S/0", bytes.data(), 3));
    EXPECT_EQ(0, unwritable.size());
    EXPECT_EQ(0u, unwritable.totalSize());
}
