#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CacheController.h"

using qiv::CacheController;
using qiv::StringPair;

namespace {

using Image = CacheController::AtlasImage;

Image squareImage(uint16_t side, uint8_t seed) {
    Image pixels;
    pixels.samplesPerPixel = 4;
    pixels.width = side;
    pixels.height = side;
    pixels.samples.resize(static_cast<size_t>(side) * side * 4);
    for (size_t i = 0; i < pixels.samples.size(); ++i) pixels.samples[i] = static_cast<uint8_t>((i * seed) % 251);
    return pixels;
}

class CacheControllerAtlasTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_images.push_back(squareImage(16, 3));
        m_images.push_back(squareImage(3, 7));
    }
    void TearDown() override {
        CacheController::eraseMemoryAtlas(kOwner);
        CacheController::eraseMemoryAtlas(kOther);
    }
    void put(const std::string& owner, const std::string& design, const StringPair& key) {
        CacheController::putMemoryAtlas(owner, design, key, &m_infos, &m_images);
    }
    bool found(const std::string& owner, const std::string& design, const StringPair& key) {
        std::vector<_TextAtlasInfo> infos;
        std::vector<Image> images;
        const int result = CacheController::getMemoryAtlas(owner, design, key, &infos, &images, true);
        EXPECT_EQ(result == 0, CacheController::existAtlas(owner, design, key));
        return result == 0;
    }

    static constexpr const char* kOwner = "engine-a";
    static constexpr const char* kOther = "engine-b";
    const StringPair m_key{"day", "0123"};
    std::vector<_TextAtlasInfo> m_infos{{11, 0, 1, 1, 5, 4, 0}, {12, 1, 7, 1, 2, 2, 1}};
    std::vector<Image> m_images;
};

} // namespace

TEST_F(CacheControllerAtlasTest, AtlasesLiveOnlyInCachesMadeForTheirOwnerAndDesign) {
    put(kOwner, "day", m_key);
    EXPECT_FALSE(found(kOwner, "day", m_key)) << "no cache was made: nothing is stored";

    CacheController::createMemoryAtlas(kOwner, "day");
    put(kOwner, "day", m_key);
    EXPECT_TRUE(found(kOwner, "day", m_key));
    EXPECT_FALSE(found(kOwner, "night", m_key));
    EXPECT_FALSE(found(kOther, "day", m_key));
    CacheController::createMemoryAtlas(kOwner, "day");
    EXPECT_TRUE(found(kOwner, "day", m_key)) << "making it again keeps what it holds";

    std::vector<_TextAtlasInfo> infos;
    std::vector<Image> images;
    ASSERT_EQ(CacheController::getMemoryAtlas(kOwner, "day", m_key, &infos, &images, true), 0);
    EXPECT_EQ(infos, m_infos);
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0], m_images[0]);
    EXPECT_EQ(images[1], m_images[1]);
    std::vector<Image> sized;
    ASSERT_EQ(CacheController::getMemoryAtlas(kOwner, "day", m_key, &infos, &sized, false), 0);
    ASSERT_EQ(sized.size(), 2u);
    EXPECT_EQ(sized[1].width, 3);
    EXPECT_EQ(sized[1].height, 3);
    EXPECT_EQ(sized[1].samples.size(), 36u);
}

TEST_F(CacheControllerAtlasTest, ErasingAndClearingEmptyTheRightCaches) {
    for (const char* owner : {kOwner, kOther}) {
        for (const char* design : {"day", "night"}) {
            CacheController::createMemoryAtlas(owner, design);
            put(owner, design, m_key);
        }
    }
    const StringPair indoorKey{"day", "0123_2"};
    CacheController::putMemoryAtlasIndoor(indoorKey, &m_infos, &m_images);

    // One design of one owner: emptied, and still there to be filled.
    CacheController::eraseMemoryAtlas(kOwner, "day");
    EXPECT_FALSE(found(kOwner, "day", m_key));
    EXPECT_TRUE(found(kOwner, "night", m_key));
    EXPECT_TRUE(found(kOther, "day", m_key));
    put(kOwner, "day", m_key);
    EXPECT_TRUE(found(kOwner, "day", m_key));

    // Clearing the memory empties every map atlas but not the indoor ones.
    CacheController::clearMemory();
    for (const char* owner : {kOwner, kOther})
        for (const char* design : {"day", "night"}) EXPECT_FALSE(found(owner, design, m_key)) << owner << design;
    EXPECT_TRUE(CacheController::existAtlasIndoor(indoorKey));
    std::vector<_TextAtlasInfo> infos;
    std::vector<Image> images;
    ASSERT_EQ(CacheController::getMemoryAtlasIndoor(indoorKey, &infos, &images), 0);
    EXPECT_EQ(images[0], m_images[0]) << "indoor atlases always come with pixels";
    EXPECT_EQ(CacheController::getMemoryAtlasIndoor({"day", "0123_1"}, &infos, &images), -1);

    // An owner erased: its caches are gone, so nothing is stored any more.
    CacheController::eraseMemoryAtlas(kOwner);
    put(kOwner, "night", m_key);
    EXPECT_FALSE(found(kOwner, "night", m_key));
    put(kOther, "night", m_key);
    EXPECT_TRUE(found(kOther, "night", m_key));
}
