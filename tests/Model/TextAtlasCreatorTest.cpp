#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CacheController.h"
#include "DesignController.h"
#include "DesignRecord.h"
#include "K7DataDtp.h"
#include "K7DataIu1.h"
#include "TextAtlasCreator.h"
#include "TextAtlasManager.h"
#include "TextAtlasTileFixture.h"

using namespace qiv;
using namespace text_atlas_test;

namespace {

const char* const OWNER = "creator-test";
const char* const DESIGN = "day";
const char* const KEY = "123";  // level 3, the level of the designs below

class TextAtlasCreatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::unique_ptr<K7DataCtg> global(design_test::groupOf(
            {design_test::designSet(DESIGN, {255, 255, 255, 255}, {},
                                    {pointDesign("city", 3, {"jpn", "eng"}), pointDesign("town", 3, {"jpn"}),
                                     pointDesign("flagged", 3, {"jpn", "eng"}, 3), pointDesign("never", 3, {"jpn", "eng"}, 6)})}));
        DesignController::createDesign(global.get(), "");
        CacheController::createMemoryAtlas(OWNER, DESIGN);
    }
    void TearDown() override {
        CacheController::eraseMemoryAtlas(OWNER);
        DesignController::clear();
    }

    // Runs the creator of one map tile on this thread and reads the stored
    // atlas back with its pixels; false when none was stored.
    bool makeAtlas(std::vector<K7DataBase*> points, const std::vector<std::string>& languages,
                   std::map<std::string, std::string> fonts = {{"jpn", FONT}, {"eng", FONT}}) {
        std::unique_ptr<K7DataCtg> source(tile(KEY, languages, points));
        auto* data = static_cast<K7DataGroup*>(source->getContents()[1]);
        auto* labels = static_cast<K7DataGroup*>(data->getContents()[3]);
        auto records = std::make_shared<K7DataGroup>();
        for (K7DataBase* point : labels->getContents()) records->addContents(point);
        labels->clearContents();
        TextAtlasCreator creator(OWNER, DESIGN, KEY, records, fonts);
        creator.create(TextAtlasCreator::languageCodes(static_cast<K7DataGroup*>(data->getContents()[0])));
        m_infos.clear();
        m_images.clear();
        return CacheController::getMemoryAtlas(OWNER, DESIGN, {DESIGN, KEY}, &m_infos, &m_images, true) == 0;
    }

    std::vector<_TextAtlasInfo> placementsOf(uint64_t oid) const {
        std::vector<_TextAtlasInfo> result;
        std::copy_if(m_infos.begin(), m_infos.end(), std::back_inserter(result),
                     [oid](const _TextAtlasInfo& info) { return info.key == oid; });
        return result;
    }

    // Pixels of the atlas inside a placement with some alpha: the plate or
    // the glyphs were drawn there.
    int coveredPixels(const _TextAtlasInfo& info) const {
        const AtlasImage& atlas = m_images.at(info.atlas);
        int covered = 0;
        for (int y = info.y; y < info.y + info.h; ++y) {
            for (int x = info.x; x < info.x + info.w; ++x) {
                covered += atlas.samples[(static_cast<size_t>(y) * atlas.width + x) * 4 + 3] != 0;
            }
        }
        return covered;
    }

    std::vector<_TextAtlasInfo> m_infos;
    std::vector<AtlasImage> m_images;
};

TEST_F(TextAtlasCreatorTest, EveryLabelOfTheTileLiesInsideAnAtlasImageWithItsGlyphs) {
    std::vector<Label> cities;
    const char* names[] = {"Tokyo", "大阪", "Nagoya", "札幌市", "Kobe", "京都", "Fukuoka", "横浜"};
    for (uint64_t i = 0; i < 8; ++i) cities.push_back(Label{1000 + i, {names[i]}});
    ASSERT_TRUE(makeAtlas({pointRecord("city", cities), pointRecord("town", {Label{7, {"Nara"}}})}, {"jpn"}));

    ASSERT_FALSE(m_images.empty());
    for (const AtlasImage& atlas : m_images) {
        EXPECT_EQ(atlas.width, atlas.height);
        EXPECT_LE(atlas.width, 1024);
        EXPECT_EQ(atlas.samples.size(), static_cast<size_t>(atlas.width) * atlas.height * 4);
    }
    std::vector<uint64_t> oids = {7};
    for (uint64_t i = 0; i < 8; ++i) oids.push_back(1000 + i);
    for (uint64_t oid : oids) {
        SCOPED_TRACE(oid);
        const std::vector<_TextAtlasInfo> placements = placementsOf(oid);
        ASSERT_EQ(placements.size(), 1u);
        const _TextAtlasInfo& info = placements.front();
        ASSERT_LT(info.atlas, m_images.size());
        EXPECT_GT(info.w, 0);
        EXPECT_GT(info.h, 0);
        EXPECT_LE(info.x + info.w, m_images[info.atlas].width);
        EXPECT_LE(info.y + info.h, m_images[info.atlas].height);
        EXPECT_GT(coveredPixels(info), 0);
    }
}

TEST_F(TextAtlasCreatorTest, TextsOfSeveralLanguagesFollowTheLanguageOrderOfTheTile) {
    struct Case {
        const char* name;
        std::vector<std::string> languages;
        std::map<std::string, std::string> fonts;
        std::vector<uint16_t> indexes;  // the placements of the label, in order
    };
    const Case cases[] = {
        {"both styled", {"jpn", "eng"}, {{"jpn", FONT}, {"eng", FONT}}, {0, 1}},
        {"second text beyond the languages", {"jpn"}, {{"jpn", FONT}, {"eng", FONT}}, {0}},
        {"no style for the language", {"fra", "jpn"}, {{"jpn", FONT}, {"fra", FONT}}, {0}},
        {"no font for the language", {"jpn", "eng"}, {{"jpn", FONT}}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(makeAtlas({pointRecord("city", {Label{42, {"東京", "Tokyo"}}})}, c.languages, c.fonts));
        std::vector<uint16_t> indexes;
        for (const _TextAtlasInfo& info : placementsOf(42)) indexes.push_back(info.index);
        EXPECT_EQ(indexes, c.indexes);
        CacheController::eraseMemoryAtlas(OWNER, DESIGN);
    }
}

TEST_F(TextAtlasCreatorTest, OnlyCompleteLabelsWhoseDisplayFlagIsSetAreRasterized) {
    struct Case {
        const char* name;
        const char* category;
        Label label;
        bool rasterized;
    };
    Label noOid{std::nullopt, {"A"}};
    Label noFlags{1, {"A"}};
    noFlags.withFlags = false;
    Label noVertical{1, {"A"}};
    noVertical.vertical.reset();
    Label noPosition{1, {"A"}};
    noPosition.position.reset();
    Label third{1, {"A"}};
    third.flags = 0x04;
    Label allButThird{1, {"A"}};
    allButThird.flags = 0x1B;
    Label satOnly{1, {}};
    satOnly.sat = "Shinjuku";
    Label empty{1, {""}};
    const Case cases[] = {
        {"complete", "city", Label{1, {"A"}}, true},
        {"without oid", "city", noOid, false},
        {"without display flags", "city", noFlags, false},
        {"without writing direction", "city", noVertical, false},
        {"without text position", "city", noPosition, false},
        {"flag 3 set", "flagged", third, true},
        {"flag 3 clear", "flagged", allButThird, false},
        {"flag position beyond 5", "never", Label{1, {"A"}}, false},
        {"unknown category", "river", Label{1, {"A"}}, false},
        {"no texts but a station name", "city", satOnly, true},
        {"empty text", "city", empty, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(makeAtlas({pointRecord(c.category, {c.label})}, {"eng"}));
        // The station name is drawn with the "jpn" style, whatever the tile's languages.
        EXPECT_EQ(m_infos.size(), c.rasterized ? 1u : 0u);
        CacheController::eraseMemoryAtlas(OWNER, DESIGN);
    }
}

TEST_F(TextAtlasCreatorTest, ATileWithoutLabelsStoresAnEmptyAtlasSoTheFrameStopsWaiting) {
    ASSERT_TRUE(makeAtlas({}, {"jpn"}));
    EXPECT_TRUE(m_infos.empty());
    EXPECT_TRUE(m_images.empty());
}

TEST_F(TextAtlasCreatorTest, AnAtlasAlreadyCachedIsKeptAndTheInFlightEntryIsReleased) {
    ASSERT_TRUE(makeAtlas({pointRecord("city", {Label{1, {"Tokyo"}}})}, {"jpn"}));
    const std::vector<_TextAtlasInfo> first = m_infos;
    {
        std::lock_guard<std::mutex> lock(g_mutexAtlasList);
        g_threadListAtlas.emplace_back(OWNER, DESIGN, KEY);
    }
    ASSERT_TRUE(makeAtlas({pointRecord("city", {Label{2, {"Osaka"}}, Label{3, {"Kyoto"}}})}, {"jpn"}));
    EXPECT_EQ(m_infos, first);
    std::lock_guard<std::mutex> lock(g_mutexAtlasList);
    EXPECT_EQ(std::count(g_threadListAtlas.begin(), g_threadListAtlas.end(), AtlasInFlight(OWNER, DESIGN, KEY)), 0);
}

TEST_F(TextAtlasCreatorTest, ATextThatGivesNoPlateLeavesTheOtherLabelsInAStoredAtlasAndTheTileReleased) {
    // Two empty lines measure 0 pixels wide: no plate. Trying again would
    // fail the same way, so the atlas is stored without that text.
    {
        std::lock_guard<std::mutex> lock(g_mutexAtlasList);
        g_threadListAtlas.emplace_back(OWNER, DESIGN, KEY);
    }
    ASSERT_TRUE(makeAtlas({pointRecord("city", {Label{1, {"\n"}}, Label{2, {"Tokyo"}}})}, {"jpn"}));
    EXPECT_TRUE(placementsOf(1).empty());
    EXPECT_EQ(placementsOf(2).size(), 1u);
    std::lock_guard<std::mutex> lock(g_mutexAtlasList);
    EXPECT_EQ(std::count(g_threadListAtlas.begin(), g_threadListAtlas.end(), AtlasInFlight(OWNER, DESIGN, KEY)), 0);
}

TEST_F(TextAtlasCreatorTest, CreateTextureSetsTheFontOfTheLanguageAndGivesAnRgbaPlate) {
    TextAtlasCreator creator(OWNER, DESIGN, KEY, nullptr, {{"jpn", FONT}});
    std::unique_ptr<K7DataCtg> style(design_test::decoration("jpn", 20));
    style->addContents(tagged<K7DataDtp>("dtp", "/nonexistent.ttf"));
    K7DataIu1 image;
    ASSERT_TRUE(creator.createTexture("Ag", "jpn", style.get(), image));
    EXPECT_EQ(DesignRecord::value<K7DataText>(*style, "dtp"), std::optional<std::string>(FONT));
    const K7D_STR_IMPIXEL<uint8_t>& pixels = image.getContents();
    EXPECT_EQ(pixels.samplesPerPixel, 4);
    EXPECT_GT(pixels.width, 0);
    EXPECT_GT(pixels.height, 0);
    EXPECT_EQ(pixels.samples.size(), pixels.expectedSamples());

    K7DataIu1 unknown;
    EXPECT_FALSE(creator.createTexture("Ag", "eng", style.get(), unknown));
}

}  // namespace
