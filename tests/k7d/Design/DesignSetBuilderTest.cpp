#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "DesignSetBuilder.h"
#include "IconAtlas.h"
#include "K7DataColor.h"
#include "K7DataCtg.h"
#include "K7DataImPixel.h"
#include "K7DataNumber.h"
#include "K7DataSimple.h"
#include "K7DataText.h"
#include "Log.h"

namespace {

const std::string DESIGNS = std::string(TOLKMAPS_SOURCE_DIR) + "/data/designs";

// An icon image of one colour with a marked top-left pixel.
IconImage icon(uint16_t number, uint16_t width, uint16_t height, uint8_t shade) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4, shade);
    pixels[0] = 1;
    return IconImage(number, width, height, pixels);
}

K7DataGroup* child(K7DataBase* parent, size_t index) {
    return dynamic_cast<K7DataGroup*>(dynamic_cast<K7DataGroup*>(parent)->getContents().at(index));
}

template <typename T>
T* first(K7DataGroup* parent, const std::string& tag) {
    const auto& children = parent->getContents(tag);
    return children.empty() ? nullptr : dynamic_cast<T*>(children.front());
}

class DesignSetBuilderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/icons-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    void writePng(const std::string& name, const IconImage& image) {
        png_image png;
        std::memset(&png, 0, sizeof(png));
        png.version = PNG_IMAGE_VERSION;
        png.width = image.getWidth();
        png.height = image.getHeight();
        png.format = PNG_FORMAT_RGBA;
        ASSERT_TRUE(png_image_write_to_file(&png, (m_dir / name).c_str(), 0, image.getPixels().data(), 0, nullptr));
    }
    void writeFile(const std::string& name, const std::string& text) {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }

    std::filesystem::path m_dir;
};

TEST(IconAtlasTest, PacksIconsWithoutOverlapIntoAPowerOfTwoSquare) {
    std::vector<IconImage> icons;
    for (uint16_t number = 0; number < 40; ++number) {
        icons.push_back(icon(static_cast<uint16_t>(200 - number), 32 - number % 3 * 8, 32 - number % 4 * 6,
                             static_cast<uint8_t>(number + 10)));
    }
    icons.push_back(icon(190, 5, 5, 99));
    IconAtlas atlas;
    ASSERT_TRUE(atlas.pack(icons));
    EXPECT_EQ(atlas.getSide(), 256);
    const auto& placements = atlas.getPlacements();
    ASSERT_EQ(placements.size(), 40u);
    for (size_t i = 0; i < placements.size(); ++i) {
        const auto& a = placements[i];
        if (i > 0) {
            EXPECT_LT(placements[i - 1].number, a.number);
        }
        EXPECT_LE(a.x + a.width + IconAtlas::PADDING, atlas.getSide());
        EXPECT_LE(a.y + a.height + IconAtlas::PADDING, atlas.getSide());
        for (size_t j = 0; j < i; ++j) {
            const auto& b = placements[j];
            const bool apart = a.x + a.width + IconAtlas::PADDING <= b.x || b.x + b.width + IconAtlas::PADDING <= a.x ||
                               a.y + a.height + IconAtlas::PADDING <= b.y || b.y + b.height + IconAtlas::PADDING <= a.y;
            EXPECT_TRUE(apart) << a.number << " overlaps " << b.number;
        }
        const IconImage& source = icons[200 - a.number];
        EXPECT_EQ(a.width, source.getWidth());
        const size_t corner = (static_cast<size_t>(a.y) * atlas.getSide() + a.x) * 4;
        EXPECT_EQ(atlas.getPixels()[corner], 1);
        EXPECT_EQ(atlas.getPixels()[corner + 1], source.getPixels()[1]);
    }
}

TEST(IconAtlasTest, IconsWiderThanTheLargestAtlasAreRefused) {
    IconAtlas atlas;
    ASSERT_TRUE(atlas.pack({icon(1, 4092, 1, 0), icon(2, 4092, 1, 0)}));
    EXPECT_EQ(atlas.getSide(), 4096);
    EXPECT_FALSE(atlas.pack({icon(1, 4093, 1, 0)}));
    EXPECT_TRUE(atlas.getPlacements().empty());
    EXPECT_TRUE(atlas.getPixels().empty());
}

TEST_F(DesignSetBuilderTest, BuildsEverySetWithHeaderIconsAndDesigns) {
    writePng("a.png", icon(157, 32, 32, 200));
    writePng("b.png", icon(110, 20, 12, 100));
    writeFile("icons.csv", "// number,file\n157,a.png\r\n110,b.png\n");
    std::unique_ptr<K7DataCtg> global(DesignSetBuilder::build(DESIGNS, m_dir.string()));
    ASSERT_NE(global, nullptr);
    ASSERT_EQ(global->getContents().size(), 2u);

    const std::string names[] = {"day", "night"};
    for (size_t i = 0; i < 2; ++i) {
        K7DataGroup* set = dynamic_cast<K7DataGroup*>(global->getContents()[i]);
        ASSERT_EQ(set->getContents("ctg").size(), 3u);
        EXPECT_EQ(first<K7DataText>(child(set, 0), "dfn")->getContents(), names[i]);
        ASSERT_NE(first<K7DataColor>(child(set, 0), "pyc"), nullptr);

        K7DataGroup* atlas = child(child(set, 1), 0);
        const auto& image = first<K7DataImPixel<uint8_t>>(atlas, "iu1")->getContents();
        EXPECT_EQ(image.samplesPerPixel, 4);
        EXPECT_EQ(image.width, image.height);
        K7DataGroup* entries = first<K7DataGroup>(atlas, "ctg");
        ASSERT_EQ(entries->getContents().size(), 2u);
        K7DataGroup* entry = child(entries, 0);
        EXPECT_EQ(first<K7DataNumber<uint16_t>>(entry, "icn")->getContents(), 110);
        const K7D_STR_IML place = first<K7DataSimple<K7D_STR_IML>>(entry, "iml")->getContents();
        EXPECT_EQ(place.width, 20);
        EXPECT_EQ(place.height, 12);
        EXPECT_EQ(image.samples[(static_cast<size_t>(place.y) * image.width + place.x) * 4 + 1], 100);

        K7DataGroup* designs = child(set, 2);
        EXPECT_GT(child(designs, 0)->getContents().size(), 100u);
        EXPECT_GT(child(designs, 1)->getContents().size(), 100u);
    }
}

TEST_F(DesignSetBuilderTest, MissingIconListGivesSetsWithoutIcons) {
    std::unique_ptr<K7DataCtg> global(DesignSetBuilder::build(DESIGNS, (m_dir / "absent").string()));
    ASSERT_NE(global, nullptr);
    K7DataGroup* set = dynamic_cast<K7DataGroup*>(global->getContents()[0]);
    EXPECT_TRUE(child(set, 1)->getContents().empty());
}

TEST_F(DesignSetBuilderTest, BadInputsRefuseTheBuild) {
    writeFile("icons.csv", "157,missing.png\n");
    EXPECT_EQ(DesignSetBuilder::build(DESIGNS, m_dir.string()), nullptr);

    std::filesystem::create_directory(m_dir / "designs");
    writeFile("designs/sets.csv", "day,1|2|3|255\r\n");
    writeFile("designs/day", ",2,road,0,1|2|3|255,2,,,\r\n");
    EXPECT_EQ(DesignSetBuilder::build((m_dir / "designs").string(), (m_dir / "absent").string()), nullptr);
    writeFile("designs/sets.csv", "day,1|2|3\r\n");
    EXPECT_EQ(DesignSetBuilder::build((m_dir / "designs").string(), (m_dir / "absent").string()), nullptr);
    writeFile("designs/sets.csv", "day,1|2|3|255\r\nnight,0|0|0|255\r\n");
    writeFile("designs/day", ",2,road,5,1|2|3|255,2,,,\r\n");
    EXPECT_EQ(DesignSetBuilder::build((m_dir / "designs").string(), (m_dir / "absent").string()), nullptr);
}

TEST_F(DesignSetBuilderTest, ReadSetListTakesNamesAndBackgrounds) {
    std::vector<DesignSetBuilder::SetEntry> sets;
    ASSERT_TRUE(DesignSetBuilder::readSetList(DESIGNS + "/sets.csv", sets));
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].name, "day");
    EXPECT_EQ(sets[1].name, "night");
    EXPECT_NE(sets[0].background, sets[1].background);
}

}  // namespace
