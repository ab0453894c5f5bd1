#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DesignController.h"
#include "GLLinePolygonObject.h"
#include "GLMapObjectOrganizer.h"
#include "GLPolygonObject.h"
#include "MapTileFixture.h"

namespace {

using namespace map_tile;
using design_test::area;
using design_test::designSet;
using design_test::line;
using qiv::DesignController;
using qiv::GLCoord;
using qiv::GLLinePolygonObject;
using qiv::GLMapObjectOrganizer;
using qiv::GLObject;
using qiv::MapObjectOrganizer;

const _K7D_STR_COLOR LAND{243, 240, 232, 255};
const _K7D_STR_COLOR LAKE{20, 90, 200, 128};
const _K7D_STR_COLOR ROAD{200, 30, 30, 255};
const _K7D_STR_COLOR QUAD_LINE{127, 127, 127, 127};
constexpr int kLevel = 3;

std::array<float, 4> colorOf(const GLObject& object) {
    const float* rgba = object.getColor().get();
    return {rgba[0], rgba[1], rgba[2], rgba[3]};
}

std::vector<std::shared_ptr<GLObject>> objectsOf(const MapObjectOrganizer::ObjectMap& map) {
    std::vector<std::shared_ptr<GLObject>> objects;
    for (const auto& entry : map) objects.push_back(entry.second);
    return objects;
}

// An organizer with the "test" design set at level 3 (land, lake, road) and
// a frame set up over the world's south-west quarter.
class GLMapObjectOrganizerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_global.reset(design_test::groupOf(
            {designSet("test", {1, 2, 3, 255},
                       {area("land", kLevel, LAND), area("lake", kLevel, LAKE),
                        line("road", kLevel, 4.0f, ROAD), area("land", kLevel + 1, LAND),
                        area("land", kLevel - 1, LAND)},
                       {})}));
        DesignController::createDesign(m_global.get(), "");
        m_organizer.setDesignName("test");
        const GLCoord corners[4] = {{0, 2147483648.0, 0, true},
                                    {0, 0, 0, true},
                                    {2147483648.0, 0, 0, true},
                                    {2147483648.0, 2147483648.0, 0, true}};
        m_organizer.setVisibleRegion(corners);
        m_organizer.setWindowSize(800, 600);
        m_organizer.setFragmentDistance(1000.0, 1000.0);
        m_organizer.setNormalizePoint(1000.0, 2000.0);
        m_organizer.willDrawFrame();
    }
    void TearDown() override { DesignController::clear(); }

    // Draws one tile as the draw controller does: prepare, read, clear.
    struct Drawn {
        bool complete;
        bool needMask;
        std::vector<std::shared_ptr<GLObject>> opaque;
        std::vector<std::shared_ptr<GLObject>> transparent;
    };
    Drawn draw(K7DataCtg& tile, const std::string& key) {
        Drawn drawn{};
        drawn.complete = m_organizer.setK7DataGround(&tile, key, drawn.needMask);
        drawn.opaque = objectsOf(m_organizer.getMapData());
        drawn.transparent = objectsOf(m_organizer.getTransparentMapData());
        m_organizer.clearMapObject();
        return drawn;
    }
    void nextFrame() { m_organizer.willDrawFrame(); }

    std::unique_ptr<K7DataCtg> m_global;
    GLMapObjectOrganizer m_organizer;
};

TEST_F(GLMapObjectOrganizerTest, BuildsAreasAndLinesWithTheDesignColours) {
    const std::string key = "012";
    auto tile = map_tile::tile(
        key, {areaGroup("lake", {rectangle(key, 0.2, 0.2, 0.4, 0.4)})},
        {areaGroup("land", {rectangle(key, 0, 0, 1, 1)}),
         lineGroup("road", {coordinates(key, {{0.1, 0.5}, {0.9, 0.5}})})});

    Drawn drawn = draw(*tile, key);

    EXPECT_TRUE(drawn.complete);
    EXPECT_FALSE(drawn.needMask);
    ASSERT_EQ(drawn.opaque.size(), 2u);
    const GLObject& land = *drawn.opaque[0];
    EXPECT_EQ(land.getObjectType(), qiv::POLYGON_OBJECT);
    EXPECT_EQ(colorOf(land), unitColor(LAND));
    EXPECT_EQ(land.getVerticesNum(), 6);
    const GLObject& road = *drawn.opaque[1];
    EXPECT_EQ(road.getObjectType(), qiv::POLYGON_LINE_OBJECT);
    EXPECT_EQ(colorOf(road), unitColor(ROAD));
    EXPECT_FLOAT_EQ(static_cast<const GLLinePolygonObject&>(road).getLineWidth(), 4.0f);
    // Designs of one level are ordered as the table lists them.
    EXPECT_LT(land.getZindex(), road.getZindex());
    // The half-transparent lake goes to the transparent list.
    ASSERT_EQ(drawn.transparent.size(), 1u);
    EXPECT_EQ(colorOf(*drawn.transparent[0]), unitColor(LAKE));

    // Vertices are rebased on the frame's origin.
    const auto [x, y] = worldPoint(key, {0, 0});
    EXPECT_FLOAT_EQ(land.getPoints()[0], static_cast<float>(x - 1000.0));
    EXPECT_FLOAT_EQ(land.getPoints()[1], static_cast<float>(y - 2000.0));
}

TEST_F(GLMapObjectOrganizerTest, AGroupOfSeveralTriangleListsIsOneDrawableDrawnOnce) {
    const std::string key = "012";
    auto tile = map_tile::tile(key, {},
                               {areaGroup("land", {rectangle(key, 0, 0, 0.5, 0.5),
                                                   rectangle(key, 0.5, 0.5, 1, 1)})});
    Drawn drawn = draw(*tile, key);
    ASSERT_EQ(drawn.opaque.size(), 1u);
    EXPECT_EQ(drawn.opaque[0]->getVerticesNum(), 12);
}

TEST_F(GLMapObjectOrganizerTest, TilesWithoutDrawableContentAreComplete) {
    const std::string key = "012";
    struct Case {
        const char* name;
        std::unique_ptr<K7DataCtg> tile;
    };
    Case cases[] = {
        {"empty sections", map_tile::tile(key, {}, {})},
        {"no body", std::make_unique<K7DataCtg>()},
    };
    for (Case& each : cases) {
        Drawn drawn = draw(*each.tile, key);
        EXPECT_TRUE(drawn.complete) << each.name;
        EXPECT_TRUE(drawn.opaque.empty() && drawn.transparent.empty()) << each.name;
        EXPECT_FALSE(m_organizer.existCache(key)) << each.name;
    }
}

TEST_F(GLMapObjectOrganizerTest, AGroupWithoutDesignIsSkippedAndTheOthersDrawn) {
    const std::string key = "012";
    auto tile = map_tile::tile(key, {},
                               {areaGroup("unknown", {rectangle(key, 0, 0, 1, 1)}),
                                areaGroup("land", {rectangle(key, 0, 0, 1, 1)})});
    Drawn drawn = draw(*tile, key);
    EXPECT_TRUE(drawn.complete);
    ASSERT_EQ(drawn.opaque.size(), 1u);
    EXPECT_EQ(colorOf(*drawn.opaque[0]), unitColor(LAND));
}

TEST_F(GLMapObjectOrganizerTest, OnlyOneTileIsBuiltPerFrame) {
    auto first = filledTile("012", "land");
    auto second = filledTile("013", "land");

    EXPECT_TRUE(draw(*first, "012").complete);
    Drawn waiting = draw(*second, "013");
    EXPECT_FALSE(waiting.complete);
    EXPECT_FALSE(waiting.needMask);  // no ancestor cached: nothing stands in
    EXPECT_TRUE(waiting.opaque.empty());
    EXPECT_FALSE(m_organizer.existCache("013"));

    nextFrame();
    Drawn cached = draw(*first, "012");
    Drawn built = draw(*second, "013");
    EXPECT_TRUE(cached.complete);
    EXPECT_TRUE(built.complete);
    EXPECT_EQ(built.opaque.size(), 1u);
    EXPECT_TRUE(m_organizer.existCache("013"));
}

TEST_F(GLMapObjectOrganizerTest, ACachedTileIsReusedAndRebasedOnTheNewOrigin) {
    auto tile = filledTile("012", "land");
    Drawn first = draw(*tile, "012");
    nextFrame();
    m_organizer.setNormalizePoint(5000.0, 7000.0);
    Drawn again = draw(*tile, "012");

    ASSERT_EQ(again.opaque.size(), 1u);
    EXPECT_EQ(again.opaque[0], first.opaque[0]);  // the same drawable, not rebuilt
    const auto [x, y] = worldPoint("012", {0, 0});
    EXPECT_FLOAT_EQ(again.opaque[0]->getPoints()[0], static_cast<float>(x - 5000.0));
    EXPECT_FLOAT_EQ(again.opaque[0]->getPoints()[1], static_cast<float>(y - 7000.0));
}

TEST_F(GLMapObjectOrganizerTest, AWaitingTileShowsItsNearestCachedAncestorMasked) {
    auto parent = filledTile("01", "land");
    auto other = filledTile("013", "land");
    auto child = filledTile("012", "land");
    Drawn parentDrawn = draw(*parent, "01");
    nextFrame();
    draw(*other, "013");  // uses this frame's build

    Drawn drawn = draw(*child, "012");
    EXPECT_FALSE(drawn.complete);
    EXPECT_TRUE(drawn.needMask);
    ASSERT_EQ(drawn.opaque.size(), 1u);
    EXPECT_EQ(drawn.opaque[0], parentDrawn.opaque[0]);
    EXPECT_FALSE(m_organizer.existCache("012"));
}

// The frame's placeholder for a missing tile: its key, and the "QuadLine"
// outline around its square in the background section.
std::unique_ptr<K7DataCtg> placeholder(const std::string& key) {
    return tile(key, {lineGroup("QuadLine", {coordinates(key, {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}})})},
                {});
}

TEST_F(GLMapObjectOrganizerTest, APlaceholderWithoutCachedAncestorDrawsOnlyTheOutline) {
    auto missing = placeholder("0123");
    Drawn drawn = draw(*missing, "0123");

    EXPECT_FALSE(drawn.needMask);
    EXPECT_TRUE(drawn.opaque.empty());
    ASSERT_EQ(drawn.transparent.size(), 1u);  // the outline is half transparent
    EXPECT_EQ(drawn.transparent[0]->getObjectType(), qiv::POLYGON_LINE_OBJECT);
    EXPECT_EQ(colorOf(*drawn.transparent[0]), unitColor(QUAD_LINE));
    // The outline is drawn anew for every frame and never cached.
    EXPECT_FALSE(m_organizer.existCache("0123"));
}

TEST_F(GLMapObjectOrganizerTest, APlaceholderWithACachedAncestorDrawsTheAncestorMasked) {
    auto ancestor = filledTile("01", "land");
    Drawn ancestorDrawn = draw(*ancestor, "01");
    nextFrame();

    auto missing = placeholder("0123");
    Drawn drawn = draw(*missing, "0123");
    EXPECT_TRUE(drawn.needMask);
    EXPECT_TRUE(drawn.transparent.empty());  // no outline
    ASSERT_EQ(drawn.opaque.size(), 1u);
    EXPECT_EQ(drawn.opaque[0], ancestorDrawn.opaque[0]);
}

TEST_F(GLMapObjectOrganizerTest, ABackgroundSectionIsRebuiltEveryFrameAndNotCached) {
    const std::string key = "012";
    auto tile = map_tile::tile(key, {areaGroup("land", {rectangle(key, 0, 0, 1, 1)})}, {});
    Drawn first = draw(*tile, key);
    nextFrame();
    Drawn second = draw(*tile, key);
    ASSERT_EQ(first.opaque.size(), 1u);
    ASSERT_EQ(second.opaque.size(), 1u);
    EXPECT_NE(first.opaque[0], second.opaque[0]);
    EXPECT_FALSE(m_organizer.existCache(key));
}

TEST_F(GLMapObjectOrganizerTest, ChangingTheDesignEmptiesTheCache) {
    auto tile = filledTile("012", "land");
    draw(*tile, "012");
    ASSERT_TRUE(m_organizer.existCache("012"));
    m_organizer.setDesignName("test");
    EXPECT_FALSE(m_organizer.existCache("012"));
}

TEST_F(GLMapObjectOrganizerTest, TheCacheKeepsTheHundredMostRecentTiles) {
    const int tiles = GLMapObjectOrganizer::kTileCacheCapacity + 1;
    // Level-4 keys (land has a design there), built in this order.
    std::vector<std::string> keys;
    for (int i = 0; i < tiles; ++i) {
        std::string key;
        for (int digit = 3; digit >= 0; --digit) key += static_cast<char>('0' + ((i >> (2 * digit)) & 3));
        keys.push_back(key);
    }
    for (const std::string& key : keys) {
        auto tile = filledTile(key, "land");
        nextFrame();
        draw(*tile, key);
    }
    EXPECT_FALSE(m_organizer.existCache(keys.front()));
    EXPECT_TRUE(m_organizer.existCache(keys[1]));
    EXPECT_TRUE(m_organizer.existCache(keys.back()));
}

TEST_F(GLMapObjectOrganizerTest, AHeaderWithoutKeyTakesTheKeyTheTileWasFoundBy) {
    const std::string key = "012";
    auto tile = map_tile::tile(key, {}, {areaGroup("land", {rectangle(key, 0, 0, 1, 1)})}, false);
    Drawn drawn = draw(*tile, key);
    ASSERT_EQ(drawn.opaque.size(), 1u);
    EXPECT_TRUE(m_organizer.existCache(key));
}

TEST_F(GLMapObjectOrganizerTest, LinesBeyondOneObjectsIndicesGoIntoAnotherObject) {
    const std::string key = "012";
    // Three lines of 10000 points: four vertices a point, so two lines
    // overflow one object's 16-bit indices.
    auto longLine = [&](double v) {
        auto* record = new K7DataLn4();
        for (int i = 0; i < 10000; ++i) {
            const auto [x, y] = worldPoint(key, {i / 10000.0, v});
            record->editContents().addCoord(x, y);
        }
        return record;
    };
    auto tile = map_tile::tile(key, {}, {lineGroup("road", {longLine(0.2), longLine(0.5), longLine(0.8)})});
    Drawn drawn = draw(*tile, key);

    ASSERT_EQ(drawn.opaque.size(), 3u);
    for (const auto& object : drawn.opaque) {
        const auto& lineObject = static_cast<const GLLinePolygonObject&>(*object);
        ASSERT_FALSE(lineObject.getIndex().empty());
        const uint16_t highest =
            *std::max_element(lineObject.getIndex().begin(), lineObject.getIndex().end());
        EXPECT_LT(highest, lineObject.getVerticesNum());
    }
}

TEST_F(GLMapObjectOrganizerTest, TileSquareCornersFollowTheQuadKey) {
    GLCoord southWest, northWest, southEast, northEast;
    m_organizer.createQuadPolygonFromQuadKey("1", southWest, northWest, southEast, northEast);
    const auto [x, y] = worldPoint("1", {0, 0});
    const double side = qiv::UnitConvertor::getQuadSize(1);
    EXPECT_EQ(southWest, GLCoord(x, y, 0, true));
    EXPECT_EQ(northWest, GLCoord(x, y + side, 0, true));
    EXPECT_EQ(southEast, GLCoord(x + side, y, 0, true));
    EXPECT_EQ(northEast, GLCoord(x + side, y + side, 0, true));
}

}  // namespace
