#include "K7DataCtg.h"
#include "K7DataLn4.h"
#include "SampleTiles.h"
#include "TileSystem.h"

#include <gtest/gtest.h>

namespace {

// Every sample line lies in the world square that the kit's tile system gives
// the key (y grows northwards, so "2" is the north-west quarter).
TEST(SampleTilesTest, LinesLieInTheSquareOfTheirKey) {
    for (const std::string key : {"0", "1", "2", "3", "21", "1302"}) {
        const std::string bytes = SampleTiles::tile(key, 3, 20);
        K7DataCtg tile;
        ASSERT_TRUE(tile.setBinaryBounded(bytes.data(), bytes.size()));
        int tileX = 0, tileY = 0, level = 0;
        qiv::TileSystem::QuadKeyToTileXY(key, tileX, tileY, level);
        const double side = 4294967296.0 / (1u << level);
        auto* content = tile.getContents<K7DataCtg>(1);
        ASSERT_NE(content, nullptr);
        auto* roads = content->getContents<K7DataCtg>(1);
        ASSERT_NE(roads, nullptr);
        ASSERT_EQ(roads->getContents().size(), 3u);
        for (K7DataBase* record : roads->getContents()) {
            const GeoDataLine& line = static_cast<K7DataLn4*>(record)->getContents();
            for (size_t i = 0; i < line.getPtNum(); ++i) {
                EXPECT_GE(line.x(i), tileX * side) << key;
                EXPECT_LT(line.x(i), (tileX + 1) * side) << key;
                EXPECT_GE(line.y(i), tileY * side) << key;
                EXPECT_LT(line.y(i), (tileY + 1) * side) << key;
            }
        }
    }
}

}  // namespace
