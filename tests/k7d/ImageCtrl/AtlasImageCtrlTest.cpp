#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "AtlasImageCtrl.h"
#include "K7DataIu1.h"
#include "Log.h"

namespace {

// Owns the images handed to the packer and the atlases it returns.
class AtlasImageCtrlTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (K7DataIu1* atlas : m_atlases) delete atlas;
        Log::chkConsole = false;
        Log::chkFilterLevel = 2;
    }

    // An RGBA image whose every pixel encodes its place: red = column,
    // green = row, blue = the image's serial number, alpha 255.
    K7DataIu1* image(uint16_t width, uint16_t height) {
        m_images.push_back(std::make_unique<K7DataIu1>());
        auto& pixels = m_images.back()->editContents();
        pixels.samplesPerPixel = 4;
        pixels.width = width;
        pixels.height = height;
        pixels.samples.resize(static_cast<size_t>(width) * height * 4);
        const uint8_t serial = static_cast<uint8_t>(m_images.size());
        for (size_t y = 0; y < height; ++y) {
            for (size_t x = 0; x < width; ++x) {
                uint8_t* pixel = &pixels.samples[(y * width + x) * 4];
                pixel[0] = static_cast<uint8_t>(x);
                pixel[1] = static_cast<uint8_t>(y);
                pixel[2] = serial;
                pixel[3] = 255;
            }
        }
        return m_images.back().get();
    }

    std::string pack(const AtlasImageCtrl::ImageMap& images) {
        Log::chkConsole = true;
        Log::chkFilterLevel = 1;
        ::testing::internal::CaptureStdout();
        AtlasImageCtrl().makeAtlas(images, m_infos, m_atlases);
        return ::testing::internal::GetCapturedStdout();
    }

    static const uint8_t* atlasPixel(const K7DataIu1& atlas, int x, int y) {
        const auto& pixels = atlas.getContents();
        return &pixels.samples[(static_cast<size_t>(y) * pixels.width + x) * 4];
    }

    static const uint8_t* imagePixel(const K7DataIu1& image, int x, int y) {
        const auto& pixels = image.getContents();
        return &pixels.samples[(static_cast<size_t>(y) * pixels.width + x) * 4];
    }

    // Every atlas pixel of the image and of its border equals the image pixel
    // it stands for (the border repeats the nearest edge pixel).
    void expectImageWithBorder(const _TextAtlasInfo& info, const K7DataIu1& image) {
        const K7DataIu1& atlas = *m_atlases.at(info.atlas);
        for (int y = -1; y <= info.h; ++y) {
            for (int x = -1; x <= info.w; ++x) {
                const int sx = std::clamp(x, 0, info.w - 1), sy = std::clamp(y, 0, info.h - 1);
                const uint8_t* expected = imagePixel(image, sx, sy);
                const uint8_t* actual = atlasPixel(atlas, info.x + x, info.y + y);
                ASSERT_TRUE(std::equal(expected, expected + 4, actual))
                    << "key " << info.key << " index " << info.index << " at " << x << "," << y;
            }
        }
    }

    std::vector<std::unique_ptr<K7DataIu1>> m_images;
    std::vector<_TextAtlasInfo> m_infos;
    std::vector<K7DataIu1*> m_atlases;
};

struct LayoutCase {
    const char* name;
    std::vector<std::pair<uint16_t, uint16_t>> sizes;
    uint16_t side;
    std::vector<std::pair<uint16_t, uint16_t>> corners;
};

class AtlasLayoutTest : public AtlasImageCtrlTest, public ::testing::WithParamInterface<LayoutCase> {};

INSTANTIATE_TEST_SUITE_P(
    Layouts, AtlasLayoutTest,
    ::testing::Values(
        // 12 x 12 with its border needs the atlas doubled from 2 to 16.
        LayoutCase{"Single", {{10, 10}}, 16, {{1, 1}}},
        // The second goes into the strip under the first.
        LayoutCase{"TwoWide", {{600, 20}, {600, 20}}, 1024, {{1, 1}, {1, 24}}},
        LayoutCase{"WideThenSquare", {{1000, 10}, {30, 30}}, 1024, {{1, 1}, {1, 14}}},
        LayoutCase{"Largest", {{1020, 1020}}, 1024, {{1, 1}}},
        // A wide image leaves a full-height column on its right; that column
        // is taller than wide, so it takes the tall image first.
        LayoutCase{"ColumnTakesTallFirst", {{900, 1000}, {20, 60}, {40, 40}}, 1024, {{1, 1}, {904, 1}, {904, 64}}}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

TEST_P(AtlasLayoutTest, PlacesImagesWhereThePackingRulesPutThem) {
    AtlasImageCtrl::ImageMap images;
    for (const auto& [w, h] : GetParam().sizes) images[7].push_back(image(w, h));
    pack(images);
    ASSERT_EQ(m_atlases.size(), 1u);
    EXPECT_EQ(m_atlases[0]->getContents().width, GetParam().side);
    EXPECT_EQ(m_atlases[0]->getContents().height, GetParam().side);
    EXPECT_EQ(m_atlases[0]->getContents().samplesPerPixel, 4);
    ASSERT_EQ(m_infos.size(), GetParam().sizes.size());
    for (size_t i = 0; i < m_infos.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m_infos[i].key, 7u);
        EXPECT_EQ(m_infos[i].index, i);
        EXPECT_EQ(m_infos[i].x, GetParam().corners[i].first);
        EXPECT_EQ(m_infos[i].y, GetParam().corners[i].second);
        EXPECT_EQ(m_infos[i].w, GetParam().sizes[i].first);
        EXPECT_EQ(m_infos[i].h, GetParam().sizes[i].second);
        EXPECT_EQ(m_infos[i].atlas, 0);
        expectImageWithBorder(m_infos[i], *images[7][i]);
    }
}

TEST_F(AtlasImageCtrlTest, LeavesEverythingOutsideThePaddedImagesTransparent) {
    AtlasImageCtrl::ImageMap images{{1, {image(10, 10)}}};
    pack(images);
    ASSERT_EQ(m_atlases.size(), 1u);
    const K7DataIu1& atlas = *m_atlases[0];
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (x < 12 && y < 12) continue;
            EXPECT_EQ(atlasPixel(atlas, x, y)[3], 0) << x << "," << y;
        }
    }
}

TEST_F(AtlasImageCtrlTest, RefusesOversizedAndMalformedImagesAndSkipsNullOnes) {
    K7DataIu1* shortImage = image(4, 4);
    shortImage->editContents().samples.resize(20);
    K7DataIu1* threeChannels = image(4, 4);
    threeChannels->editContents().samplesPerPixel = 3;
    AtlasImageCtrl::ImageMap images{
        {3, {image(1021, 5), nullptr, image(5, 1021), image(8, 4)}},
        {9, {shortImage, threeChannels, image(6, 6)}},
    };
    const std::string log = pack(images);

    size_t oversized = 0;
    for (size_t at = log.find("Image size beyond 1020."); at != std::string::npos;
         at = log.find("Image size beyond 1020.", at + 1)) {
        ++oversized;
    }
    EXPECT_EQ(oversized, 2u);
    ASSERT_EQ(m_infos.size(), 2u);
    EXPECT_EQ(m_infos[0].key, 3u);
    EXPECT_EQ(m_infos[0].index, 3);
    EXPECT_EQ(m_infos[0].w, 8);
    EXPECT_EQ(m_infos[1].key, 9u);
    EXPECT_EQ(m_infos[1].index, 2);
    EXPECT_EQ(m_infos[1].w, 6);
    expectImageWithBorder(m_infos[0], *images[3][3]);
    expectImageWithBorder(m_infos[1], *images[9][2]);
}

TEST_F(AtlasImageCtrlTest, WithoutImagesLogsAndAppendsNothing) {
    AtlasImageCtrl::ImageMap images{{1, {nullptr}}};
    const std::string log = pack(images);
    EXPECT_NE(log.find("Not processed Image is not exist."), std::string::npos);
    EXPECT_TRUE(m_infos.empty());
    EXPECT_TRUE(m_atlases.empty());
}

TEST_F(AtlasImageCtrlTest, AppendsAfterEarlierResultsAndNumbersAtlasesByTheirPlace) {
    m_infos.resize(2);
    AtlasImageCtrl::ImageMap first{{1, {image(1000, 1000)}}};
    pack(first);
    AtlasImageCtrl::ImageMap second{{2, {image(1000, 1000), image(3, 3)}}};
    pack(second);
    ASSERT_EQ(m_atlases.size(), 2u);
    ASSERT_EQ(m_infos.size(), 5u);
    EXPECT_EQ(m_infos[2].atlas, 0);
    EXPECT_EQ(m_infos[3].atlas, 1);
    EXPECT_EQ(m_infos[4].atlas, 1);
    expectImageWithBorder(m_infos[3], *second[2][0]);
    expectImageWithBorder(m_infos[4], *second[2][1]);
}

// A few hundred label-sized images of mixed shapes over several groups: they
// spill into further atlases, each placement keeps its border inside its
// atlas, no two padded images overlap, and every pixel arrives.
TEST_F(AtlasImageCtrlTest, ManyImagesStayInsideTheirAtlasesWithoutOverlapping) {
    std::mt19937 random(20261211);
    std::uniform_int_distribution<int> width(1, 300), height(1, 120);
    AtlasImageCtrl::ImageMap images;
    for (uint64_t key = 0; key < 40; ++key) {
        for (int i = 0; i < 12; ++i) images[key * 1000].push_back(image(width(random), height(random)));
    }
    pack(images);

    ASSERT_EQ(m_infos.size(), 480u);
    ASSERT_GE(m_atlases.size(), 2u);
    for (const K7DataIu1* atlas : m_atlases) {
        const uint16_t side = atlas->getContents().width;
        EXPECT_EQ(atlas->getContents().height, side);
        EXPECT_LE(side, 1024);
        EXPECT_EQ(side & (side - 1), 0) << "side " << side << " is a power of two";
    }
    std::vector<std::vector<const _TextAtlasInfo*>> byAtlas(m_atlases.size());
    for (const _TextAtlasInfo& info : m_infos) {
        ASSERT_LT(info.atlas, m_atlases.size());
        const uint16_t side = m_atlases[info.atlas]->getContents().width;
        ASSERT_GE(info.x, 1);
        ASSERT_GE(info.y, 1);
        ASSERT_LE(info.x + info.w + 1, side);
        ASSERT_LE(info.y + info.h + 1, side);
        const K7DataIu1& source = *images.at(info.key).at(info.index);
        ASSERT_EQ(info.w, source.getContents().width);
        ASSERT_EQ(info.h, source.getContents().height);
        expectImageWithBorder(info, source);
        byAtlas[info.atlas].push_back(&info);
    }
    for (const auto& placed : byAtlas) {
        for (size_t i = 0; i < placed.size(); ++i) {
            for (size_t j = i + 1; j < placed.size(); ++j) {
                const _TextAtlasInfo& a = *placed[i];
                const _TextAtlasInfo& b = *placed[j];
                const bool apart = a.x + a.w + 1 <= b.x - 1 || b.x + b.w + 1 <= a.x - 1 ||
                                   a.y + a.h + 1 <= b.y - 1 || b.y + b.h + 1 <= a.y - 1;
                ASSERT_TRUE(apart) << "images " << a.key << "/" << a.index << " and " << b.key << "/" << b.index;
            }
        }
    }
}

}  // namespace
