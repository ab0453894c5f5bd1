#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LRUCache.h"
#include "StringPairHash.h"

using qiv::LRUCache;

namespace {

// Remembers every value released, in order.
class ReleasingCache : public LRUCache<std::string, int> {
public:
    explicit ReleasingCache(int capacity) : LRUCache(capacity) {}
    void deleteValue(int& value) override { released.push_back(value); }
    std::vector<int> released;
};

} // namespace

TEST(LRUCacheTest, EvictsTheLeastRecentlyUsedAndGetRefreshes) {
    ReleasingCache cache(3);
    cache.put("a", 1);
    cache.put("b", 2);
    cache.put("c", 3);
    int value = 0;
    ASSERT_EQ(0, cache.get("a", value));
    EXPECT_EQ(1, value);
    EXPECT_TRUE(cache.exist("b"));  // presence test leaves "b" the oldest
    cache.put("d", 4);
    EXPECT_EQ((std::vector<int>{2}), cache.released);
    EXPECT_EQ(-1, cache.get("b", value));
    EXPECT_EQ(3, cache.size());
    cache.put("e", 5);
    EXPECT_EQ((std::vector<int>{2, 3}), cache.released);
}

TEST(LRUCacheTest, PutReleasesTheOldValueButNotTheSameValue) {
    ReleasingCache cache(2);
    cache.put("k", 1);
    cache.put("k", 7);
    EXPECT_EQ((std::vector<int>{1}), cache.released);
    cache.put("k", 7);
    EXPECT_EQ((std::vector<int>{1}), cache.released) << "re-putting must not release it";
    int value = 0;
    ASSERT_EQ(0, cache.get("k", value));
    EXPECT_EQ(7, value);
    EXPECT_EQ(1, cache.size());
}

TEST(LRUCacheTest, EraseAndClearReleaseAndKeepTheCapacity) {
    ReleasingCache cache(4);
    for (int i = 0; i < 4; ++i) cache.put(std::to_string(i), i);
    cache.erase("2");
    cache.erase("absent");
    EXPECT_EQ((std::vector<int>{2}), cache.released);
    cache.clear();
    EXPECT_EQ(0, cache.size());
    EXPECT_EQ((std::vector<int>{2, 0, 1, 3}), cache.released);
    EXPECT_EQ(4, cache.capacity());
    for (int i = 0; i < 4; ++i) cache.put(std::to_string(i), i);
    EXPECT_EQ(4, cache.size());
}

TEST(LRUCacheTest, StringPairHashCombinesBothHalves) {
    std::hash<std::string> h;
    qiv::StringPairHash hash;
    EXPECT_EQ(31 * (31 + h("S")) + h("1302"), hash({"S", "1302"}));
    EXPECT_NE(hash({"S", "1302"}), hash({"1302", "S"}));
}
