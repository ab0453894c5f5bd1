#include <gtest/gtest.h>

#include <cmath>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "DesignController.h"
#include "GLIconTextObject.h"
#include "GLPointOrganizer.h"
#include "K7DataIu1.h"
#include "GLQuadIconModel.h"
#include "GLQuadTextModel.h"
#include "../Model/TextAtlasTileFixture.h"

using namespace qiv;
using namespace text_atlas_test;

namespace {

const char* const KEY = "123";
constexpr int WIDTH = 400;
constexpr int HEIGHT = 300;
constexpr double CAMERA = 1000000.0;
constexpr int ATLAS_SIDE = 512;
constexpr unsigned ICON = 157;

// Labels of one tile placed through the organizer as a frame does it, on a
// camera looking straight down at one world unit per pixel, so a world
// point's screen position is plain arithmetic.
class GLPointOrganizerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::unique_ptr<K7DataCtg> global(design_test::groupOf({design_test::designSet(
            "day", {255, 255, 255, 255}, {},
            {pointDesign("capital", 3, {"jpn"}), pointDesign("city", 3, {"jpn"}), pointDesign("flagged", 3, {"jpn"}, 2),
             pointDesign("station", 3, {"jpn"}, std::nullopt, ICON)})}));
        DesignController::createDesign(global.get(), "");
        m_organizer.setDesignName("day");
        textureInfo icon;
        icon.iconSize = static_cast<float>(20 * std::sqrt(2.0));  // a 20 x 20 icon
        icon.aspect = 1.0f;
        icon.atlasSize = 256.0f;
        m_organizer.setTextureInformation({{ICON, icon}});
        startFrame(0.0);
    }
    void TearDown() override { DesignController::clear(); }

    void startFrame(double tilt) {
        m_organizer.clearBuffer();
        m_organizer.setOverlapArea(WIDTH, HEIGHT);
        m_organizer.setWindowSize(WIDTH, HEIGHT);
        m_organizer.setFragmentDistance(1.0, 1.0);
        m_organizer.setCamera(GLCoord(CAMERA, CAMERA, 1000.0, true), 0.0, tilt);
        m_organizer.setNormalizePoint(CAMERA - 5000, CAMERA - 5000);
        const GLCoord corners[4] = {GLCoord(CAMERA - 5000, CAMERA + 5000, 0, true),
                                    GLCoord(CAMERA - 5000, CAMERA - 5000, 0, true),
                                    GLCoord(CAMERA + 5000, CAMERA - 5000, 0, true),
                                    GLCoord(CAMERA + 5000, CAMERA + 5000, 0, true)};
        m_organizer.setVisibleRegion(corners);
        m_placements.clear();
        m_organizer.setTextAtlasInformation(&m_placements);
        AtlasImageMap images;
        images[KEY].push_back(AtlasImage{4, ATLAS_SIDE, ATLAS_SIDE, {}});
        m_organizer.setTextureAtlasImage(images);
    }

    // A label anchored at screen pixel (sx, sy) whose text, w x h pixels,
    // lies at a place of its own in the atlas (so its sprite tells it apart).
    Label at(uint64_t oid, int sx, int sy, int w = 60, int h = 20) {
        Label label{oid, {"text"}};
        label.x = static_cast<uint32_t>(CAMERA + (sx - WIDTH / 2));
        label.y = static_cast<uint32_t>(CAMERA - (sy - HEIGHT / 2));
        m_placements[KEY].push_back(_TextAtlasInfo{oid, 0, static_cast<uint16_t>(oid % 64 * 8), 0,
                                                   static_cast<uint16_t>(w), static_cast<uint16_t>(h), 0});
        return label;
    }

    // Parses the point records of the tile and places the labels.
    void place(const std::vector<K7DataBase*>& points) {
        std::unique_ptr<K7DataCtg> source(tile(KEY, {"jpn"}, points));
        auto* data = static_cast<K7DataGroup*>(source->getContents()[1]);
        m_organizer.setKey(KEY);
        for (K7DataBase* record : static_cast<K7DataGroup*>(data->getContents()[3])->getContents()) {
            m_organizer.parsePointData(record);
        }
        m_organizer.registratePointData();
    }

    // The labels whose text became a sprite, told apart by their atlas place.
    std::set<uint64_t> shownTexts() const {
        std::set<uint64_t> shown;
        const auto model = m_organizer.getTextModels().find({KEY, 0});
        if (model == m_organizer.getTextModels().end()) return shown;
        for (int i = 0; i < model->second->getCount(); ++i) {
            const PointObjectData& sprite = model->second->getData().get()[i];
            for (const _TextAtlasInfo& placement : m_placements.at(KEY)) {
                const float side = static_cast<float>(std::max(placement.w, placement.h) * std::sqrt(2.0));
                if (std::fabs(sprite.textureOffsetU * ATLAS_SIDE - (placement.x - (side - placement.w) / 2)) < 0.01f) {
                    shown.insert(placement.key);
                }
            }
        }
        return shown;
    }

    GLPointOrganizer m_organizer;
    AtlasPlacementMap m_placements;
};

TEST_F(GLPointOrganizerTest, OfTwoLabelsAtOnePlaceTheHigherPriorityWinsWhateverTheTileOrder) {
    // The design listed first ("capital") has the higher priority.
    for (bool capitalFirst : {true, false}) {
        SCOPED_TRACE(capitalFirst);
        startFrame(0.0);
        K7DataBase* capital = pointRecord("capital", {at(1, 200, 150)});
        K7DataBase* city = pointRecord("city", {at(2, 205, 152)});
        place(capitalFirst ? std::vector<K7DataBase*>{capital, city} : std::vector<K7DataBase*>{city, capital});
        EXPECT_EQ(shownTexts(), std::set<uint64_t>({1}));
    }
}

TEST_F(GLPointOrganizerTest, OfTwoLabelsOfOnePriorityAtOnePlaceTheOneParsedFirstWins) {
    place({pointRecord("city", {at(5, 100, 100), at(4, 110, 104)}), pointRecord("city", {at(3, 100, 96)})});
    EXPECT_EQ(shownTexts(), std::set<uint64_t>({5}));
}

TEST_F(GLPointOrganizerTest, LabelsWhoseBoxesStayApartAllShowAndTheOneOverlappingIsLeftOut) {
    // Texts are 60 x 20; the collision test keeps a one-pixel margin.
    place({pointRecord("city", {at(1, 100, 100), at(2, 162, 100), at(3, 100, 122), at(4, 160, 121), at(5, 300, 250)})});
    EXPECT_EQ(shownTexts(), std::set<uint64_t>({1, 2, 3, 5}));
}

TEST_F(GLPointOrganizerTest, ALabelWhoseDisplayFlagIsOffIsNotShown) {
    struct Case {
        uint8_t flags;
        bool shown;
    };
    // The "flagged" design shows its labels only with display flag 2 set.
    for (const Case& c : {Case{0x1D, false}, Case{0x02, true}, Case{0x1F, true}}) {
        SCOPED_TRACE(static_cast<int>(c.flags));
        startFrame(0.0);
        Label label = at(1, 200, 150);
        label.flags = c.flags;
        place({pointRecord("flagged", {label})});
        EXPECT_EQ(shownTexts().count(1), c.shown ? 1u : 0u);
    }
}

TEST_F(GLPointOrganizerTest, ARotatedLabelIsCheckedAndMaskedWithItsRotatedBox) {
    struct Case {
        float recordAngle;  // the road's angle is the camera rotation (0) minus this
        int dx;             // centre of the other label from the road's
        int dy;
        int w;  // size of the other label
        int h;
        bool roadFirst;  // the road is placed first (it marks), else second (it is checked)
        bool bothShown;
    };
    // The road is a 200 x 10 text centred on (200, 150).
    const Case cases[] = {
        {0.0f, 70, 0, 40, 10, true, false},   {0.0f, 0, 70, 40, 10, true, true},
        {-90.0f, 70, 0, 40, 10, true, true},  {-90.0f, 0, 70, 40, 10, true, false},
        {-90.0f, 70, 0, 40, 10, false, true}, {-90.0f, 0, 70, 40, 10, false, false},
        // At 45 degrees the band misses what its axis-aligned box would
        // cover, and crosses a tall box beside it on either diagonal.
        {-45.0f, 70, 0, 40, 10, true, true},  {-45.0f, 0, 70, 40, 10, false, true},
        {-45.0f, 70, 0, 40, 160, true, false}, {-45.0f, 70, 0, 40, 160, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.recordAngle << " " << c.dx << "," << c.dy << " " << c.w << "x" << c.h
                                        << (c.roadFirst ? " road first" : " road second"));
        startFrame(0.0);
        Label road = at(1, 200, 150, 200, 10);
        road.angle = c.recordAngle;
        const Label other = at(2, 200 + c.dx, 150 + c.dy, c.w, c.h);
        place({pointRecord("capital", {c.roadFirst ? road : other}), pointRecord("city", {c.roadFirst ? other : road})});
        const std::set<uint64_t> winner = {c.roadFirst ? 1u : 2u};
        EXPECT_EQ(shownTexts(), c.bothShown ? std::set<uint64_t>({1, 2}) : winner);
    }
}

TEST_F(GLPointOrganizerTest, LabelsMayReachOneScreenBeyondTheEdgesButNoFurther) {
    struct Case {
        int sx;
        int sy;
        bool shown;
    };
    const Case cases[] = {
        {-1, 150, true}, {-WIDTH + 40, 150, true}, {-WIDTH - 100, 150, false}, {200, -HEIGHT - 50, false},
        {WIDTH + 1, 150, true}, {200, HEIGHT + 20, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sx << "," << c.sy);
        startFrame(0.0);
        place({pointRecord("city", {at(1, c.sx, c.sy)})});
        EXPECT_EQ(shownTexts().count(1), c.shown ? 1u : 0u);
    }
}

TEST_F(GLPointOrganizerTest, AnIconWhoseTextCollidesIsNotShownAndLeavesNoMark) {
    // Label 2's icon is free but its text (below the icon) runs into label 1;
    // label 3, an icon where label 2's icon would have been, still fits.
    Label first = at(1, 200, 170);
    Label second = at(2, 200, 140);
    second.position = GLIconTextObject::TEXT_BOTTOM;
    Label third = at(3, 200, 140);
    m_placements[KEY].pop_back();  // label 3 has no text: an icon alone
    place({pointRecord("capital", {first}), pointRecord("station", {second}), pointRecord("station", {third})});
    EXPECT_EQ(shownTexts(), std::set<uint64_t>({1}));
    EXPECT_EQ(m_organizer.getIconBufferSize(), 1);
}

TEST_F(GLPointOrganizerTest, ALabelOfATileWithoutAtlasIsDroppedAndOneWithoutPlacementShowsOnlyItsIcon) {
    Label noText = at(9, 100, 100);
    m_placements[KEY].clear();
    place({pointRecord("station", {noText})});
    EXPECT_TRUE(shownTexts().empty());
    EXPECT_EQ(m_organizer.getIconBufferSize(), 1);

    startFrame(0.0);
    m_organizer.setTextAtlasInformation(nullptr);
    place({pointRecord("station", {at(9, 100, 100)})});
    EXPECT_EQ(m_organizer.getIconBufferSize(), 0);
    EXPECT_TRUE(m_organizer.getTextModels().empty());
}

TEST_F(GLPointOrganizerTest, ATextSpriteCarriesItsSquareOnTheAtlasAndItsAnchor) {
    Label label = at(7, 250, 100, 60, 20);
    label.angle = -30.0f;
    m_placements[KEY].back().x = 10;
    m_placements[KEY].back().y = 20;
    place({pointRecord("city", {label})});
    const auto& model = m_organizer.getTextModels().at({KEY, 0});
    ASSERT_EQ(model->getCount(), 1);
    const PointObjectData& sprite = model->getData().get()[0];
    const float side = static_cast<float>(60 * std::sqrt(2.0));
    EXPECT_FLOAT_EQ(sprite.x, static_cast<float>(label.x - (CAMERA - 5000)));
    EXPECT_FLOAT_EQ(sprite.y, static_cast<float>(label.y - (CAMERA - 5000)));
    EXPECT_FLOAT_EQ(sprite.z, 10.0f);
    EXPECT_FLOAT_EQ(sprite.textureSizeU, side / ATLAS_SIDE);
    EXPECT_FLOAT_EQ(sprite.textureSizeV, side / ATLAS_SIDE);
    EXPECT_FLOAT_EQ(sprite.textureOffsetU, (10 - (side - 60) / 2) / ATLAS_SIDE);
    EXPECT_FLOAT_EQ(sprite.textureOffsetV, (20 - (side - 20) / 2) / ATLAS_SIDE);
    EXPECT_FLOAT_EQ(sprite.pointSize, side);
    EXPECT_FLOAT_EQ(sprite.aspect, 20.0f / 60.0f);
    EXPECT_FLOAT_EQ(sprite.angle, 30.0f);
    EXPECT_FLOAT_EQ(sprite.atlasSize, static_cast<float>(ATLAS_SIDE));
    EXPECT_FLOAT_EQ(sprite.pixelOffsetX, 0.0f);
    EXPECT_FLOAT_EQ(sprite.pixelOffsetY, 0.0f);
}

TEST_F(GLPointOrganizerTest, LabelsLowOnATiltedScreenGrowAndWithoutTiltAllKeepTheirSize) {
    struct Case {
        double tilt;
        int sy;
        bool larger;
        bool smaller;
    };
    const Case cases[] = {{0.0, 280, false, false}, {0.0, 20, false, false}, {40.0, 280, true, false},
                          {40.0, 20, false, true}};
    const float side = static_cast<float>(60 * std::sqrt(2.0));
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.tilt << " " << c.sy);
        startFrame(c.tilt);
        place({pointRecord("city", {at(1, 200, c.sy)})});
        const auto& model = m_organizer.getTextModels().at({KEY, 0});
        ASSERT_EQ(model->getCount(), 1);
        const float size = model->getData().get()[0].pointSize;
        EXPECT_EQ(size > side + 0.01f, c.larger);
        EXPECT_EQ(size < side - 0.01f, c.smaller);
    }
}

TEST_F(GLPointOrganizerTest, AFreshFrameStartsWithAnEmptyBitmap) {
    place({pointRecord("city", {at(1, 200, 150)})});
    startFrame(0.0);
    place({pointRecord("city", {at(2, 200, 150)})});
    EXPECT_EQ(shownTexts(), std::set<uint64_t>({2}));
}

TEST_F(GLPointOrganizerTest, SevenIconsFormRowsOfFiveAndTwoCentredOnTheAnchor) {
    std::vector<textureInfo> icons(7);
    for (textureInfo& icon : icons) {
        icon.iconSize = static_cast<float>(20 * std::sqrt(2.0));
        icon.aspect = 1.0f;
    }
    icons[6].aspect = 0.5f;  // 20 wide, 10 high
    m_organizer.calculateIconOffset(icons);
    // The first row is 100 wide; the block is 40 high.
    const float expected[7][2] = {{-40, -10}, {-20, -10}, {0, -10}, {20, -10}, {40, -10}, {-40, 10}, {-20, 5}};
    for (size_t k = 0; k < icons.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(icons[k].offsetX, expected[k][0], 1e-4);
        EXPECT_NEAR(icons[k].offsetY, expected[k][1], 1e-4);
    }
}

TEST_F(GLPointOrganizerTest, AReservedAreaKeepsLabelsOff) {
    m_organizer.reserveMaskArea({BoundingBox4{CAMERA - 50, CAMERA - 50, CAMERA + 50, CAMERA + 50}});
    place({pointRecord("city", {at(1, 200, 150), at(2, 60, 40)})});
    EXPECT_EQ(shownTexts(), std::set<uint64_t>({2}));
}

}  // namespace

// Application labels: a text of 40 x 12 pixels in a 64 x 64 atlas.
class GLPointOrganizerUserLabelTest : public GLPointOrganizerTest {
protected:
    std::shared_ptr<GLIconTextObject> userLabel(const std::string& id, float zIndex, int sx, int sy, bool force) {
        auto label = std::make_shared<GLIconTextObject>();
        const double position[2] = {CAMERA + (sx - WIDTH / 2), CAMERA - (sy - HEIGHT / 2)};
        m_textImages.emplace_back(1);
        m_textImages.back().front().editContents() = AtlasImage{4, 64, 64, std::vector<uint8_t>(64 * 64 * 4, 255)};
        m_textLists.push_back({_TextAtlasInfo{0, 0, 1, 1, 40, 12, 0}});
        label->initialize(id, zIndex, position, &m_textImages.back(), &m_textLists.back(), 0, nullptr, nullptr, 0.0f,
                          true, 1.0f);
        label->setForce(force);
        return label;
    }

    std::list<std::vector<K7DataIu1>> m_textImages;
    std::list<std::vector<_TextAtlasInfo>> m_textLists;
};

TEST_F(GLPointOrganizerUserLabelTest, AForcedLabelShowsOverOthersAndMarksNothing) {
    const auto first = userLabel("first", 1.0f, 200, 150, false);
    const auto forced = userLabel("forced", 2.0f, 205, 150, true);
    const auto later = userLabel("later", 3.0f, 210, 152, false);
    const auto hidden = userLabel("hidden", 4.0f, 195, 148, false);
    for (const auto& label : {hidden, later, forced, first}) EXPECT_TRUE(m_organizer.registrateUserPointData(label));
    m_organizer.registratePointData();
    EXPECT_TRUE(first->getVisibleFlag());
    EXPECT_TRUE(forced->getVisibleFlag());
    // "later" overlaps "first" as well: it stays hidden; "hidden" too.
    EXPECT_FALSE(later->getVisibleFlag());
    EXPECT_FALSE(hidden->getVisibleFlag());
}

TEST_F(GLPointOrganizerUserLabelTest, ALabelOutsideTheVisibleRegionOrNotALabelIsNotRegistered) {
    EXPECT_FALSE(m_organizer.registrateUserPointData(userLabel("far", 1.0f, 200 + 20000, 150, false)));
    EXPECT_FALSE(m_organizer.registrateUserPointData(std::make_shared<GLObject>()));
}

TEST_F(GLPointOrganizerUserLabelTest, TheHitBoxIsTheTextBoxInWorldUnits) {
    const auto label = userLabel("box", 1.0f, 200, 150, false);
    ASSERT_TRUE(m_organizer.registrateUserPointData(label));
    const std::vector<double>& ring = label->getUserPointBoundingBox4();
    ASSERT_EQ(ring.size(), 10u);
    // The 40 x 12 text centred on the anchor: 20 world units left and right, 6 up and down.
    const double expected[10] = {CAMERA - 20, CAMERA - 6, CAMERA + 20, CAMERA - 6, CAMERA + 20,
                                 CAMERA + 6,  CAMERA - 20, CAMERA + 6, CAMERA - 20, CAMERA - 6};
    for (size_t i = 0; i < 10; ++i) EXPECT_NEAR(ring[i], expected[i], 1.5) << i;
}
