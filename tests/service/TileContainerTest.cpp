#include "K7DataCtg.h"
#include "SampleTiles.h"
#include "TileContainer.h"

#include <gtest/gtest.h>

namespace {

TEST(TileContainerTest, NoTilesGiveTheEmptyContainer) {
    EXPECT_EQ(TileContainer::encode({}), std::string("ctg\0", 4));
}

TEST(TileContainerTest, TilesAreCarriedUnchangedUnderOneHeader) {
    // A short container (content up to 254 bytes) and a long one.
    for (int lines : {0, 6}) {
        const std::vector<std::string> tiles{SampleTiles::tile("0", lines, 4), SampleTiles::tile("1", lines, 4)};
        const std::string body = TileContainer::encode({tiles[0], tiles[1]});
        const size_t content = tiles[0].size() + tiles[1].size();
        const size_t header = content > 254 ? 8 : 4;
        ASSERT_EQ(body.size(), header + content);
        EXPECT_EQ(body.substr(header), tiles[0] + tiles[1]);
        K7DataCtg decoded;
        ASSERT_TRUE(decoded.setBinaryBounded(body.data(), body.size()));
        ASSERT_EQ(decoded.getContents().size(), 2u);
        EXPECT_EQ(TileContainer::quadKeyOf(tiles[1]), "1");
    }
}

TEST(TileContainerTest, RefusesWhatIsNotExactlyOneCtgRecord) {
    const std::string tile = SampleTiles::tile("2", 1, 3);
    std::string otherTag = tile;
    otherTag[0] = 'x';
    const std::vector<std::string> bad{"", "ctg", tile.substr(0, tile.size() - 1), tile + "x", otherTag};
    for (const std::string& record : bad) {
        EXPECT_FALSE(TileContainer::isTileRecord(record)) << record.size();
        EXPECT_THROW(TileContainer::encode({record}), std::invalid_argument) << record.size();
    }
    EXPECT_TRUE(TileContainer::isTileRecord(tile));
}

TEST(TileContainerTest, QuadKeyIsReadFromTheTilesHeaderGroup) {
    EXPECT_EQ(TileContainer::quadKeyOf(SampleTiles::tile("0123", 1, 2)), "0123");
    EXPECT_EQ(TileContainer::quadKeyOf(SampleTiles::group("no tile")), "");
    EXPECT_EQ(TileContainer::quadKeyOf(std::string("ctg\x05qak", 7)), "");
}

}  // namespace
