#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "DesignController.h"
#include "DesignSetBuilder.h"
#include "K7DataCtg.h"
#include "LineDesign.h"
#include "PolygonDesign.h"
#include "TextDesign.h"

namespace {

using qiv::BaseDesign;
using qiv::DesignController;

// The shipped design tables, built into global data, sent through the binary
// form as the service does, and read back by the kit.
class BuiltDesignSetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::unique_ptr<K7DataCtg> built(DesignSetBuilder::build(std::string(TOLKMAPS_SOURCE_DIR) + "/data/designs",
                                                                 "/nonexistent-icons"));
        ASSERT_NE(built, nullptr);
        const char* binary = built->getBinary();
        m_global = std::make_unique<K7DataCtg>();
        ASSERT_TRUE(m_global->setBinaryBounded(binary, built->getSizeAll()));
        DesignController::createDesign(m_global.get(), "");
    }
    void TearDown() override { DesignController::clear(); }

    std::unique_ptr<K7DataCtg> m_global;
};

TEST_F(BuiltDesignSetsTest, BothSetsAnswerTheSameCategoriesWithDifferentStyles) {
    ASSERT_EQ(DesignController::getDesignFileList(), (std::vector<std::string>{"day", "night"}));
    const auto& dayLand = DesignController::getDesign("day", 10, "land");
    const auto& nightLand = DesignController::getDesign("night", 10, "land");
    ASSERT_EQ(dayLand.size(), 1u);
    ASSERT_EQ(nightLand.size(), 1u);
    EXPECT_NE(static_cast<const qiv::PolygonDesign*>(dayLand[0])->getColor(),
              static_cast<const qiv::PolygonDesign*>(nightLand[0])->getColor());

    const auto& motorway = DesignController::getDesign("night", 14, "road_motorway");
    ASSERT_EQ(motorway.size(), 2u);
    const auto* casing = static_cast<const qiv::LineDesign*>(motorway[0]);
    const auto* fill = static_cast<const qiv::LineDesign*>(motorway[1]);
    EXPECT_GT(casing->getWidth(), fill->getWidth());
    EXPECT_LT(casing->getDepth(), fill->getDepth());
}

TEST_F(BuiltDesignSetsTest, WidthsAndTextSizesGrowWithTheLevel) {
    int lastWidth = 0;
    for (uint8_t level = 5; level <= 21; ++level) {
        const auto& designs = DesignController::getDesign("day", level, "road_motorway");
        ASSERT_FALSE(designs.empty()) << int(level);
        const int width = static_cast<const qiv::LineDesign*>(designs.back())->getWidth();
        EXPECT_GE(width, lastWidth) << int(level);
        lastWidth = width;
    }
    EXPECT_GT(lastWidth, 10);
    const auto* small = static_cast<const qiv::TextDesign*>(DesignController::getDesign("day", 4, "place_city")[0]);
    const auto* large = static_cast<const qiv::TextDesign*>(DesignController::getDesign("day", 15, "place_city")[0]);
    EXPECT_LT(small->getDecorations().at(0).getTextSize(), large->getDecorations().at(0).getTextSize());
}

TEST_F(BuiltDesignSetsTest, LabelsUseTheKitFontWithAHalo) {
    for (const char* set : {"day", "night"}) {
        const auto& designs = DesignController::getDesign(set, 16, "poi_cafe");
        ASSERT_EQ(designs.size(), 1u);
        const auto* cafe = static_cast<const qiv::TextDesign*>(designs[0]);
        EXPECT_EQ(cafe->getIconNumbers(), (std::vector<uint16_t>{111}));
        const qiv::TextDecorateDesign* label = cafe->findDecoration("jpn");
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->getFontName(), "NotoSansCJKjp-Bold");
        EXPECT_TRUE(label->getBorderColor().has_value());
        EXPECT_GT(label->getBorderWidth().value_or(0.0f), 0.0f);
    }
    const auto* iconOnly = static_cast<const qiv::TextDesign*>(DesignController::getDesign("day", 15, "poi_cafe")[0]);
    EXPECT_TRUE(iconOnly->getDecorations().empty());
    EXPECT_EQ(DesignController::getDesign("day", 5, "QuadLine").size(), 1u);
    EXPECT_TRUE(DesignController::getDesign("day", 1, "QuadLine").empty());
}

}  // namespace
