#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "MemoryCacheAtlas.h"

namespace {

// Stands in for the label placement record.
struct Placement {
    uint64_t key;
    uint16_t x;
    uint16_t y;
    bool operator==(const Placement& other) const {
        return key == other.key && x == other.x && y == other.y;
    }
};

using Atlas = qiv::MemoryCacheAtlas<Placement>;
using Image = Atlas::AtlasImage;

Image squareImage(uint16_t side, uint8_t seed) {
    Image pixels;
    pixels.samplesPerPixel = 4;
    pixels.width = side;
    pixels.height = side;
    pixels.samples.resize(static_cast<size_t>(side) * side * 4);
    for (size_t i = 0; i < pixels.samples.size(); ++i) {
        pixels.samples[i] = static_cast<uint8_t>((i * seed) % 251);
    }
    return pixels;
}

} // namespace

TEST(MemoryCacheAtlasTest, EntryComesBackWithSquareImagesAndItsPlacements) {
    Atlas atlas;
    std::vector<Placement> infos{{7, 1, 2}, {8, 30, 40}};
    std::vector<Image> images;
    images.push_back(squareImage(64, 3));
    images.push_back(squareImage(5, 11));
    atlas.put({"design", "0123"}, &infos, &images);

    std::vector<Placement> readInfos{{1, 1, 1}};
    std::vector<Image> readImages;
    ASSERT_EQ(0, atlas.get({"design", "0123"}, &readInfos, &readImages, true));
    EXPECT_EQ(infos, readInfos);
    ASSERT_EQ(2u, readImages.size());
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(images[i], readImages[i]) << i;
    }

    std::vector<Image> sizedOnly;
    ASSERT_EQ(0, atlas.get({"design", "0123"}, &readInfos, &sizedOnly, false));
    ASSERT_EQ(2u, sizedOnly.size());
    EXPECT_EQ(5, sizedOnly[1].width);
    EXPECT_EQ(5, sizedOnly[1].height);
    EXPECT_EQ(4, sizedOnly[1].samplesPerPixel);
    EXPECT_EQ(100u, sizedOnly[1].samples.size());

    EXPECT_EQ(-1, atlas.get({"design", "9"}, &readInfos, &readImages, true));
}

TEST(MemoryCacheAtlasTest, LeastRecentlyUsedEntriesAreDropped) {
    Atlas atlas(2);
    std::vector<Placement> infos{{1, 0, 0}};
    std::vector<Image> images;
    images.push_back(squareImage(4, 1));
    atlas.put({"d", "0"}, &infos, &images);
    atlas.put({"d", "1"}, &infos, &images);
    std::vector<Placement> readInfos;
    std::vector<Image> readImages;
    ASSERT_EQ(0, atlas.get({"d", "0"}, &readInfos, &readImages, false));
    atlas.put({"d", "2"}, &infos, &images);
    EXPECT_TRUE(atlas.exist({"d", "0"}));
    EXPECT_FALSE(atlas.exist({"d", "1"}));
    atlas.put({"d", "2"}, &infos, &images);  // replacing frees the older entry
    EXPECT_EQ(2, atlas.size());
    atlas.clear();
    EXPECT_EQ(0, atlas.size());
}
