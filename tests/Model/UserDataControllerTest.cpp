#include "UserDataController.h"

#include <gtest/gtest.h>

#include "../tools/render/FixtureTile.h"
#include "K7DataPoint.h"

using qiv::UserDataController;

namespace {

// A level-16 tile with a park, a road through it and a place label.
class UserDataControllerTest : public ::testing::Test {
protected:
    UserDataControllerTest() : m_tile("1330021123332323") {
        m_unit = m_tile.side() / 100;
        m_tile.area("park", at(10), up(10), at(50), up(50));
        m_tile.line("road", {{at(0), up(80)}, {at(100), up(80)}});
        addLabel("place_city", at(70), up(30));
    }

    double at(double percent) const { return m_tile.west() + percent * m_unit; }
    double up(double percent) const { return m_tile.south() + percent * m_unit; }

    void addLabel(const std::string& category, double x, double y) {
        auto* body = static_cast<K7DataGroup*>(m_tile.record().getContents()[1]);
        auto* points = static_cast<K7DataGroup*>(body->getContents()[3]);
        auto* label = new K7DataGroup();
        label->setType("mag");
        auto* name = new K7DataDcn();
        name->editContents() = category;
        label->addContents(name);
        auto* entries = new K7DataCtg();
        auto* entry = new K7DataCtg();
        auto* anchor = new K7DataPoint<uint32_t>();
        anchor->setType("pt4");
        anchor->editContents() = GeoDataPoint(x, y);
        entry->addContents(anchor);
        entries->addContents(entry);
        label->addContents(entries);
        points->addContents(label);
    }

    std::vector<std::string> check(double x, double y, double radiusPercent) {
        return UserDataController::designCheck(at(x), up(y), radiusPercent * m_unit, m_tile.record());
    }

    FixtureTile m_tile;
    double m_unit = 0;
};

TEST_F(UserDataControllerTest, NamesTheFeaturesUnderTheDisc) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(check(30, 30, 1), Names{"park"}) << "inside the area";
    EXPECT_EQ(check(30, 52, 3), Names{"park"}) << "just outside, reaching its edge";
    EXPECT_EQ(check(30, 81, 2), Names{"road"}) << "beside the road";
    EXPECT_EQ(check(70, 34, 3), Names{"place_city"}) << "label anchors count within twice the radius";
    EXPECT_EQ(check(70, 38, 3), Names{}) << "beyond twice the radius";
    EXPECT_EQ(check(30, 65, 16), (Names{"park", "road"})) << "areas and lines in tile order";
    EXPECT_EQ(check(90, 10, 2), Names{}) << "nothing there";
}

TEST_F(UserDataControllerTest, ATileWithoutBodyHasNoFeatures) {
    K7DataCtg empty;
    EXPECT_TRUE(UserDataController::designCheck(0, 0, 10, empty).empty());
}

}  // namespace
