#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "DesignController.h"
#include "DesignTestSupport.h"
#include "LineDesign.h"
#include "Log.h"
#include "PolygonDesign.h"
#include "TextDesign.h"

namespace {

using namespace design_test;
using qiv::BaseDesign;
using qiv::DesignController;

const _K7D_STR_COLOR DAY_BACKGROUND{159, 201, 227, 255};
const _K7D_STR_COLOR NIGHT_BACKGROUND{20, 37, 54, 255};

// Builds the process's designs from a two-set global data and, per test, a
// design directory of its own.
class DesignControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/designs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        m_global.reset(groupOf(
            {designSet("day", DAY_BACKGROUND,
                       {area("land", 5, {240, 240, 230, 255}), line("road", 5, 3.9f), line("road", 5, 1.0f),
                        line("rail", 6, 2.0f)},
                       {point("city", 5, {decoration("jpn"), decoration("eng")}, 102), point("town", 5, {})}),
             designSet("night", NIGHT_BACKGROUND, {line("road", 5, 7.0f)}, {})}));
    }
    void TearDown() override {
        DesignController::clear();
        std::filesystem::remove_all(m_dir);
    }
    void writeTable(const std::string& name, const std::string& text) {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }
    std::string directory() const { return m_dir.string(); }

    std::filesystem::path m_dir;
    std::unique_ptr<K7DataCtg> m_global;
};

template <typename T>
const T* only(const std::vector<BaseDesign*>& designs) {
    EXPECT_EQ(designs.size(), 1u);
    return designs.empty() ? nullptr : dynamic_cast<const T*>(designs.front());
}

TEST_F(DesignControllerTest, AnswersBySetExactLevelAndName) {
    DesignController::createDesign(m_global.get(), directory());
    EXPECT_EQ(DesignController::getDesignFileList(), (std::vector<std::string>{"day", "night"}));

    const auto& dayRoads = DesignController::getDesign("day", 5, "road");
    ASSERT_EQ(dayRoads.size(), 2u);
    EXPECT_EQ(dayRoads[0]->getType(), BaseDesign::POLYLINE);
    EXPECT_EQ(static_cast<const qiv::LineDesign*>(dayRoads[0])->getWidth(), 3);
    EXPECT_EQ(static_cast<const qiv::LineDesign*>(dayRoads[1])->getWidth(), 1);
    EXPECT_EQ(only<qiv::LineDesign>(DesignController::getDesign("night", 5, "road"))->getWidth(), 7);

    const auto* land = only<qiv::PolygonDesign>(DesignController::getDesign("day", 5, "land"));
    ASSERT_NE(land, nullptr);
    EXPECT_EQ(land->getColor(), (_K7D_STR_COLOR{240, 240, 230, 255}));
    EXPECT_FALSE(land->getIconNumber().has_value());

    for (const auto& missing : {std::make_pair("day", 4), std::make_pair("day", 6), std::make_pair("dusk", 5)}) {
        EXPECT_TRUE(DesignController::getDesign(missing.first, missing.second, "road").empty());
    }
    EXPECT_TRUE(DesignController::getDesign("night", 5, "land").empty());
}

TEST_F(DesignControllerTest, DepthsFollowTableOrderPerLevelAndRestartForPoints) {
    DesignController::createDesign(m_global.get(), "");
    EXPECT_FLOAT_EQ(only<BaseDesign>(DesignController::getDesign("day", 5, "land"))->getDepth(), 0.0f);
    const auto& roads = DesignController::getDesign("day", 5, "road");
    EXPECT_FLOAT_EQ(roads[0]->getDepth(), 0.1f);
    EXPECT_FLOAT_EQ(roads[1]->getDepth(), 0.2f);
    EXPECT_FLOAT_EQ(only<BaseDesign>(DesignController::getDesign("day", 6, "rail"))->getDepth(), 0.0f);
    EXPECT_FLOAT_EQ(only<BaseDesign>(DesignController::getDesign("day", 5, "city"))->getDepth(), 0.0f);
    EXPECT_FLOAT_EQ(only<BaseDesign>(DesignController::getDesign("day", 5, "town"))->getDepth(), 0.1f);
}

TEST_F(DesignControllerTest, QuadLineExistsAtLevelsTwoToTwentyOne) {
    DesignController::createDesign(m_global.get(), "");
    for (int level = 0; level <= 23; ++level) {
        const auto& designs = DesignController::getDesign("night", static_cast<uint8_t>(level), "QuadLine");
        if (level < 2 || level > 21) {
            EXPECT_TRUE(designs.empty()) << level;
            continue;
        }
        const auto* quadLine = only<qiv::LineDesign>(designs);
        ASSERT_NE(quadLine, nullptr) << level;
        EXPECT_EQ(quadLine->getWidth(), 1);
        EXPECT_EQ(quadLine->getColor(), (_K7D_STR_COLOR{127, 127, 127, 127}));
        EXPECT_FLOAT_EQ(quadLine->getDepth(), 0.0f);
        EXPECT_FALSE(quadLine->getEndSettings() || quadLine->getOffset() || quadLine->getPattern());
    }
}

TEST_F(DesignControllerTest, PointDesignKeepsIconAndLabelStylesInOrder) {
    DesignController::createDesign(m_global.get(), "");
    const auto* city = only<qiv::TextDesign>(DesignController::getDesign("day", 5, "city"));
    ASSERT_NE(city, nullptr);
    EXPECT_EQ(city->getType(), BaseDesign::TEXT);
    EXPECT_EQ(city->getIconNumbers(), (std::vector<uint16_t>{102}));
    ASSERT_EQ(city->getDecorations().size(), 2u);
    EXPECT_EQ(city->getDecorations()[1].getLanguageType(), "eng");
    EXPECT_EQ(city->findDecoration("eng"), &city->getDecorations()[1]);
    EXPECT_EQ(city->findDecoration("fra"), nullptr);
    const auto* town = only<qiv::TextDesign>(DesignController::getDesign("day", 5, "town"));
    EXPECT_TRUE(town->getIconNumbers().empty());
    EXPECT_TRUE(town->getDecorations().empty());
}

TEST_F(DesignControllerTest, MalformedDesignsAndSetsAreLeftOut) {
    auto* noName = groupOf<K7DataLng>({record<K7DataScl>(uint8_t{5}), record<K7DataLnw>(2.0f)});
    auto* tooDeep = line("road", 22, 2.0f);
    auto* noHeader = groupOf({groupOf({}), groupOf({}), groupOf({groupOf({line("road", 5, 1.0f)}), groupOf({})})});
    std::unique_ptr<K7DataCtg> global(groupOf({designSet("day", DAY_BACKGROUND, {noName, tooDeep, line("road", 5, 4.0f)}, {}),
                                               noHeader}));
    DesignController::createDesign(global.get(), "");
    EXPECT_EQ(DesignController::getDesignFileList(), (std::vector<std::string>{"day"}));
    EXPECT_EQ(only<qiv::LineDesign>(DesignController::getDesign("day", 5, "road"))->getWidth(), 4);
    EXPECT_FLOAT_EQ(DesignController::getDesign("day", 5, "road")[0]->getDepth(), 0.0f);
    EXPECT_TRUE(DesignController::getDesign("day", 22, "road").empty());
}

TEST_F(DesignControllerTest, LaterSetOfTheSameNameReplacesTheEarlier) {
    std::unique_ptr<K7DataCtg> global(groupOf({designSet("day", DAY_BACKGROUND, {line("road", 5, 1.0f)}, {}),
                                               designSet("day", DAY_BACKGROUND, {line("road", 5, 9.0f)}, {})}));
    DesignController::createDesign(global.get(), "");
    EXPECT_EQ(only<qiv::LineDesign>(DesignController::getDesign("day", 5, "road"))->getWidth(), 9);
}

TEST_F(DesignControllerTest, DesignTableNamedLikeASetReplacesItsDesigns) {
    writeTable("day", "// user table\r\n,2,road,5,9|9|9|255,12,,,\r\n,3,water,8,0|0|255|255,,\r\n");
    DesignController::createDesign(m_global.get(), directory());
    EXPECT_EQ(only<qiv::LineDesign>(DesignController::getDesign("day", 5, "road"))->getWidth(), 12);
    EXPECT_EQ(DesignController::getDesign("day", 8, "water").size(), 1u);
    EXPECT_TRUE(DesignController::getDesign("day", 5, "land").empty());
    EXPECT_TRUE(DesignController::getDesign("day", 5, "city").empty());
    EXPECT_EQ(DesignController::getDesign("day", 5, "QuadLine").size(), 1u);
    EXPECT_EQ(only<qiv::LineDesign>(DesignController::getDesign("night", 5, "road"))->getWidth(), 7);
    EXPECT_EQ(DesignController::getDesignFileList(), (std::vector<std::string>{"day", "night"}));
}

TEST_F(DesignControllerTest, BadOrMisnamedTableLeavesTheBuiltInDesigns) {
    writeTable("day", ",2,road,0,9|9|9|255,12,,,\r\n");
    writeTable("night.csv", ",2,road,5,9|9|9|255,12,,,\r\n");
    std::filesystem::create_directory(m_dir / "dusk");
    DesignController::createDesign(m_global.get(), directory());
    EXPECT_EQ(DesignController::getDesign("day", 5, "road").size(), 2u);
    EXPECT_EQ(only<qiv::LineDesign>(DesignController::getDesign("night", 5, "road"))->getWidth(), 7);
}

TEST_F(DesignControllerTest, IconOnlyRowGivesNoLabelStyle) {
    writeTable("day", ",1,cafe,16,,,111,,,,,,,,,,,,,,,\r\n,1,bank,16,,,140,eng,NotoSansCJKjp-Bold,0|0|0|255,12,,,,,,,,,,,\r\n");
    DesignController::createDesign(m_global.get(), directory());
    const auto* cafe = only<qiv::TextDesign>(DesignController::getDesign("day", 16, "cafe"));
    ASSERT_NE(cafe, nullptr);
    EXPECT_EQ(cafe->getIconNumbers(), (std::vector<uint16_t>{111}));
    EXPECT_TRUE(cafe->getDecorations().empty());
    const auto* bank = only<qiv::TextDesign>(DesignController::getDesign("day", 16, "bank"));
    ASSERT_EQ(bank->getDecorations().size(), 1u);
    EXPECT_EQ(bank->getDecorations()[0].getTextSize(), 12);
}

TEST_F(DesignControllerTest, ClearAndNullGlobalLeaveNoSets) {
    DesignController::createDesign(m_global.get(), "");
    DesignController::clear();
    EXPECT_TRUE(DesignController::getDesignFileList().empty());
    EXPECT_TRUE(DesignController::getDesign("day", 5, "road").empty());
    DesignController::createDesign(nullptr, directory());
    EXPECT_TRUE(DesignController::getDesignFileList().empty());
}

}  // namespace
