#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "CacheController.h"
#include "DesignController.h"
#include "GLPointOrganizer.h"
#include "GLQuadTextModel.h"
#include "K7DataCtg.h"
#include "TextAtlasCreator.h"
#include "TileStore.h"
#include "UnitConvertor.h"

using namespace qiv;

namespace {

const char* const OWNER = "organizer-demo-test";
const char* const FONT = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc";
const char* const DENSEST = "21313121201133";  // Karlsruhe at level 14: 40 place labels
constexpr int WIDTH = 1024;
constexpr int HEIGHT = 768;

std::unique_ptr<K7DataCtg> decode(const std::string& bytes) {
    auto record = std::make_unique<K7DataCtg>();
    if (!record->setBinaryBounded(bytes.data(), bytes.size())) return nullptr;
    return record;
}

// The label path on a tile of the demo data set as the tiler wrote it: its
// label records through the atlas creator with the shipped designs, then
// through the organizer on a view that shows the whole tile.
class GLPointOrganizerDemoTest : public ::testing::Test {
protected:
    void SetUp() override {
        try {
            TileStore store(TOLKMAPS_SOURCE_DIR "/data/demo/tiles.sqlite", TileStore::Mode::ReadOnly);
            m_global = decode(store.globalData());
            const std::optional<std::string> bytes = store.tile(DENSEST);
            if (bytes) m_tile = decode(*bytes);
        } catch (const TileStoreError& error) {
            GTEST_SKIP() << "no demo store: " << error.what();
        }
        if (!m_global || !m_tile) GTEST_SKIP() << "the demo store lacks the global data or the tile";
        DesignController::createDesign(m_global.get(), "");
        CacheController::createMemoryAtlas(OWNER, "day");
    }
    void TearDown() override {
        CacheController::eraseMemoryAtlas(OWNER);
        DesignController::clear();
    }

    K7DataGroup* section(size_t index) const {
        auto* data = static_cast<K7DataGroup*>(m_tile->getContents()[1]);
        return static_cast<K7DataGroup*>(data->getContents()[index]);
    }

    // Labels of the tile's point records.
    size_t labelCount() const {
        size_t count = 0;
        for (K7DataBase* record : section(3)->getContents()) {
            auto* group = dynamic_cast<K7DataGroup*>(record);
            if (!group || group->getType() != "mag") continue;
            const std::vector<K7DataBase*>& lists = group->getContents("ctg");
            if (!lists.empty()) count += static_cast<K7DataGroup*>(lists.front())->getContents().size();
        }
        return count;
    }

    // A text sprite's rectangle on screen (pixels, y down): centred on its
    // anchor plus pixel offset, the placement size that its point size and
    // aspect give, turned by its angle as the sprite program turns it.
    struct Box {
        std::array<std::array<double, 2>, 4> corners;

        // Separating axes: the rectangles overlap when no edge direction of
        // either parts their projections.
        bool overlaps(const Box& other) const {
            for (const Box* box : {this, &other}) {
                for (int edge = 0; edge < 2; ++edge) {
                    const double ax = box->corners[edge + 1][0] - box->corners[edge][0];
                    const double ay = box->corners[edge + 1][1] - box->corners[edge][1];
                    const auto [minA, maxA] = project(ax, ay);
                    const auto [minB, maxB] = other.project(ax, ay);
                    if (maxA <= minB || maxB <= minA) return false;
                }
            }
            return true;
        }
        std::pair<double, double> project(double ax, double ay) const {
            double low = corners[0][0] * ax + corners[0][1] * ay;
            double high = low;
            for (const auto& corner : corners) {
                low = std::min(low, corner[0] * ax + corner[1] * ay);
                high = std::max(high, corner[0] * ax + corner[1] * ay);
            }
            return {low, high};
        }
    };
    static std::vector<Box> textBoxes(const GLPointOrganizer& organizer, double originX, double originY,
                                      const GLCoord& camera, double unitsPerPixel) {
        std::vector<Box> boxes;
        for (const auto& [key, model] : organizer.getTextModels()) {
            for (int i = 0; i < model->getCount(); ++i) {
                const PointObjectData& sprite = model->getData().get()[i];
                const Point anchor = UnitConvertor::FourByte2Screen(originX + sprite.x, originY + sprite.y, camera, 0.0,
                                                                    0.0, unitsPerPixel, unitsPerPixel, WIDTH, HEIGHT);
                const double larger = sprite.pointSize / std::sqrt(2.0);
                // One pixel less on each side: boxes are placed in whole pixels.
                const double halfW = (sprite.aspect <= 1.0f ? larger : larger / sprite.aspect) / 2 - 1;
                const double halfH = (sprite.aspect <= 1.0f ? larger * sprite.aspect : larger) / 2 - 1;
                const double radians = sprite.angle * 0.017453292519943295;
                Box box;
                const double signs[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
                for (int c = 0; c < 4; ++c) {
                    const double x = signs[c][0] * halfW;
                    const double y = signs[c][1] * halfH;
                    box.corners[c] = {anchor.x + sprite.pixelOffsetX + std::cos(radians) * x - std::sin(radians) * y,
                                      anchor.y + sprite.pixelOffsetY + std::sin(radians) * x + std::cos(radians) * y};
                }
                boxes.push_back(box);
            }
        }
        return boxes;
    }

    std::unique_ptr<K7DataCtg> m_global;
    std::unique_ptr<K7DataCtg> m_tile;
};

TEST_F(GLPointOrganizerDemoTest, EveryPlaceLabelOfADenseTileGetsAnAtlasPlaceAndTheViewShowsThemWithoutOverlap) {
    // A copy of the label records for the creator, as the manager hands it.
    auto records = std::make_shared<K7DataGroup>();
    ASSERT_TRUE(records->setBinaryBounded(section(3)->getBinary(), section(3)->getSizeAll()));
    TextAtlasCreator creator(OWNER, "day", DENSEST, records, {{"jpn", FONT}});
    creator.create(TextAtlasCreator::languageCodes(section(0)));

    AtlasPlacementMap placements;
    AtlasImageMap images;
    ASSERT_EQ(CacheController::getMemoryAtlas(OWNER, "day", {"day", DENSEST}, &placements[DENSEST],
                                              &images[DENSEST], false),
              0);
    std::set<uint64_t> placed;
    for (const _TextAtlasInfo& info : placements[DENSEST]) placed.insert(info.key);
    EXPECT_EQ(placed.size(), labelCount());

    double x = 0.0;
    double y = 0.0;
    UnitConvertor::QuadKey2FourByte(DENSEST, &x, &y);
    const double side = UnitConvertor::getQuadSize(static_cast<int>(std::string(DENSEST).size()));
    const GLCoord camera(x + side / 2, y + side / 2, side, true);
    GLPointOrganizer organizer;
    organizer.setDesignName("day");
    organizer.setOverlapArea(WIDTH, HEIGHT);
    organizer.setWindowSize(WIDTH, HEIGHT);
    organizer.setFragmentDistance(side / WIDTH, side / WIDTH);
    organizer.setCamera(camera, 0.0, 0.0);
    organizer.setNormalizePoint(x, y);
    const GLCoord corners[4] = {GLCoord(x, y + side, 0, true), GLCoord(x, y, 0, true), GLCoord(x + side, y, 0, true),
                                GLCoord(x + side, y + side, 0, true)};
    organizer.setVisibleRegion(corners);
    organizer.setTextAtlasInformation(&placements);
    organizer.setTextureAtlasImage(images);
    organizer.setKey(DENSEST);
    for (K7DataBase* record : section(3)->getContents()) organizer.parsePointData(record);
    organizer.registratePointData();

    const int shown = organizer.getTextBufferSize(DENSEST, 0);
    EXPECT_GT(shown, 0);
    EXPECT_LE(shown, static_cast<int>(placed.size()));
    const std::vector<Box> boxes = textBoxes(organizer, x, y, camera, side / WIDTH);
    for (size_t i = 0; i < boxes.size(); ++i) {
        for (size_t j = i + 1; j < boxes.size(); ++j) {
            EXPECT_FALSE(boxes[i].overlaps(boxes[j])) << "sprites " << i << " and " << j;
        }
    }
}

}  // namespace
