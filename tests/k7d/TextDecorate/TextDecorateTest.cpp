#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "FontText.h"
#include "GlyphTestSupport.h"
#include "K7DataCtg.h"
#include "TextDecorate.h"

namespace {

using glyphs::rgba;
using glyphs::Style;

const _K7D_STR_COLOR kText = rgba(10, 20, 30, 255);
const _K7D_STR_COLOR kPlate = rgba(250, 240, 200, 255);
const _K7D_STR_COLOR kFrame = rgba(200, 0, 0, 255);
const _K7D_STR_COLOR kRim = rgba(255, 255, 255, 255);

// A plate drawn from a style, with pixel access.
struct Plate {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

    const uint8_t* at(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
    uint8_t alpha(int x, int y) const { return at(x, y)[3]; }
    bool is(int x, int y, const _K7D_STR_COLOR& color) const {
        const uint8_t* pixel = at(x, y);
        return pixel[0] == color.r && pixel[1] == color.g && pixel[2] == color.b && pixel[3] == color.a;
    }
};

Plate draw(const Style& style, const std::string& text) {
    std::unique_ptr<K7DataCtg> group(style.build());
    TextDecorate decorate;
    decorate.setInfo(group.get());
    decorate.setText(text);
    Plate plate;
    decorate.getSize(plate.width, plate.height);
    EXPECT_EQ(plate.width, decorate.getWidth());
    EXPECT_EQ(plate.height, decorate.getHeight());
    if (plate.width > 0 && plate.height > 0) plate.pixels = decorate.getData();
    return plate;
}

// The text image alone, laid out as the plate lays it out.
_TEXT_BITMAP_INFO textImage(const Style& style, const std::string& text) {
    FontText layout;
    const bool horizontal = !style.vertical || *style.vertical == 0;
    layout.setInfo(*style.font, *style.size, horizontal, TEXT_ALIGNMENT_DEFAULT);
    if (style.spread) layout.setSpread(*style.spread);
    layout.setText(text);
    return layout.getData();
}

class TextDecorateTest : public glyphs::LogCapture {};

struct MissingCase {
    const char* name;
    Style style;
    const char* message;
};

class TextDecorateMissingTest : public TextDecorateTest, public ::testing::WithParamInterface<MissingCase> {};

INSTANTIATE_TEST_SUITE_P(
    RequiredRecords, TextDecorateMissingTest,
    ::testing::Values(MissingCase{"Size", [] { Style s; s.size.reset(); return s; }(), "No Font Size"},
                      MissingCase{"Color", [] { Style s; s.color.reset(); return s; }(), "No Color"},
                      MissingCase{"FontPath", [] { Style s; s.font.reset(); return s; }(), "No Font Path"}),
    [](const ::testing::TestParamInfo<MissingCase>& info) { return std::string(info.param.name); });

TEST_P(TextDecorateMissingTest, LogsTheMissingRecordAndGivesAnEmptyPlate) {
    Style style = GetParam().style;
    style.plate = kPlate;
    style.margin = std::make_pair(uint16_t{4}, uint16_t{4});
    startCapture();
    const Plate plate = draw(style, "Tokyo");
    const std::string log = stopCapture();
    EXPECT_NE(log.find(GetParam().message), std::string::npos) << log;
    EXPECT_EQ(plate.width, 0);
    EXPECT_EQ(plate.height, 0);
    TextDecorate unset;
    unset.setText("Tokyo");
    EXPECT_TRUE(unset.getData().empty());
}

struct ExcessCase {
    const char* name;
    Style style;
    const char* message;
};

class TextDecorateExcessTest : public TextDecorateTest, public ::testing::WithParamInterface<ExcessCase> {};

// Styles asking for glyphs or plates no atlas could hold are refused before
// anything is drawn.
INSTANTIATE_TEST_SUITE_P(
    Styles, TextDecorateExcessTest,
    ::testing::Values(ExcessCase{"HugeFont", [] { Style s; s.size = 60000; return s; }(), "Font size out of range"},
                      ExcessCase{"ZeroFont", [] { Style s; s.size = 0; return s; }(), "Font size out of range"},
                      ExcessCase{"HugeFrame", [] { Style s; s.lineWidth = 3e9f; s.lineColor = kFrame; return s; }(),
                                 "Plate size beyond the limit"},
                      ExcessCase{"HugeMargin",
                                 [] {
                                     Style s;
                                     s.plate = kPlate;
                                     s.margin = std::make_pair(uint16_t{60000}, uint16_t{1});
                                     return s;
                                 }(),
                                 "Plate size beyond the limit"},
                      ExcessCase{"FrameNotANumber",
                                 [] { Style s; s.lineWidth = std::numeric_limits<float>::quiet_NaN(); return s; }(),
                                 "Plate size beyond the limit"}),
    [](const ::testing::TestParamInfo<ExcessCase>& info) { return std::string(info.param.name); });

TEST_P(TextDecorateExcessTest, LogsAndGivesAnEmptyPlate) {
    startCapture();
    const Plate plate = draw(GetParam().style, "Tokyo");
    const std::string log = stopCapture();
    EXPECT_NE(log.find(GetParam().message), std::string::npos) << log;
    EXPECT_EQ(plate.width, 0);
    EXPECT_EQ(plate.height, 0);
}

TEST_F(TextDecorateTest, PlatesTooWideForAnAtlasAreStillDrawnForTheAtlasToRefuse) {
    Style style;
    style.plate = kPlate;
    style.margin = std::make_pair(uint16_t{600}, uint16_t{1});
    const Plate plate = draw(style, "Tokyo");
    EXPECT_GT(plate.width, 1200);
    EXPECT_EQ(plate.pixels.size(), static_cast<size_t>(plate.width) * plate.height * 4);
}

struct SizeCase {
    const char* name;
    std::string text;
    bool vertical;
    bool opaquePlate;
};

class TextDecorateSizeTest : public TextDecorateTest, public ::testing::WithParamInterface<SizeCase> {};

INSTANTIATE_TEST_SUITE_P(
    Texts, TextDecorateSizeTest,
    ::testing::Values(SizeCase{"Latin", "Tokyo", false, true}, SizeCase{"Japanese", "東京駅", false, true},
                      SizeCase{"TwoLines", "Shin\n新宿", false, true}, SizeCase{"Vertical", "東京", true, true},
                      SizeCase{"VerticalTwoColumns", "東京\n駅", true, true},
                      SizeCase{"TransparentPlateIgnoresMargins", "Tokyo", false, false}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.name); });

// Width and height are twice the margin, frame line and rim around the text.
TEST_P(TextDecorateSizeTest, PlateIsTheTextPlusMarginFrameAndRimOnEachSide) {
    Style style;
    if (GetParam().vertical) style.vertical = 1;
    style.plate = GetParam().opaquePlate ? kPlate : rgba(0, 0, 0, 0);
    style.margin = std::make_pair(uint16_t{5}, uint16_t{3});
    style.lineWidth = 2.7f;
    style.lineColor = kFrame;
    style.rimWidth = 1;
    style.rimColor = kRim;
    const _TEXT_BITMAP_INFO text = textImage(style, GetParam().text);
    ASSERT_GT(text.width, 0);
    const int marginX = GetParam().opaquePlate ? 5 : 0, marginY = GetParam().opaquePlate ? 3 : 0;
    const Plate plate = draw(style, GetParam().text);
    EXPECT_EQ(plate.width, 2 * (marginX + 2 + 1) + text.width);
    EXPECT_EQ(plate.height, 2 * (marginY + 2 + 1) + text.height);
    ASSERT_EQ(plate.pixels.size(), static_cast<size_t>(plate.width) * plate.height * 4);
    // The frame line (2 pixels: its width truncated) runs round the edge.
    for (int a = 0; a < 2; ++a) {
        EXPECT_TRUE(plate.is(plate.width / 2, a, kFrame));
        EXPECT_TRUE(plate.is(plate.width / 2, plate.height - 1 - a, kFrame));
        EXPECT_TRUE(plate.is(a, plate.height / 2, kFrame));
        EXPECT_TRUE(plate.is(plate.width - 1 - a, plate.height / 2, kFrame));
    }
    EXPECT_FALSE(plate.is(2, plate.height / 2, kFrame));
}

// The rim is the text stamped at every offset of a (2w + 1) square: a pixel
// is painted exactly where some glyph pixel lies within w columns and w rows.
TEST_F(TextDecorateTest, TheHaloSurroundsTheGlyphsAsASquareStamp) {
    for (const char* text : {"Ag", "東京"}) {
        for (uint8_t rim : {1, 3}) {
            SCOPED_TRACE(std::string(text) + " rim " + std::to_string(rim));
            Style style;
            style.rimWidth = rim;
            style.rimColor = kRim;
            const _TEXT_BITMAP_INFO glyphs = textImage(style, text);
            const Plate plate = draw(style, text);
            ASSERT_EQ(plate.width, glyphs.width + 2 * rim);
            const auto covered = [&](int x, int y) {
                return x >= 0 && y >= 0 && x < glyphs.width && y < glyphs.height &&
                       glyphs.data[static_cast<size_t>(y) * glyphs.width + x] > 0;
            };
            int rimPixels = 0;
            for (int y = 0; y < plate.height; ++y) {
                for (int x = 0; x < plate.width; ++x) {
                    bool near = false;
                    for (int j = -rim; j <= rim && !near; ++j) {
                        for (int i = -rim; i <= rim && !near; ++i) near = covered(x - rim + i, y - rim + j);
                    }
                    ASSERT_EQ(plate.alpha(x, y) > 0, near) << x << "," << y;
                    if (covered(x - rim, y - rim) &&
                        glyphs.data[static_cast<size_t>(y - rim) * glyphs.width + x - rim] == 255) {
                        ASSERT_TRUE(plate.is(x, y, kText)) << x << "," << y;
                    }
                    if (plate.is(x, y, kRim)) ++rimPixels;
                }
            }
            EXPECT_GT(rimPixels, 0);
        }
    }
}

TEST_F(TextDecorateTest, RoundedCornersOfAnOpaquePlateAreTransparent) {
    for (bool framed : {false, true}) {
        SCOPED_TRACE(framed ? "framed" : "plain");
        Style style;
        style.plate = kPlate;
        style.margin = std::make_pair(uint16_t{8}, uint16_t{6});
        style.radius = 8.0f;
        if (framed) {
            style.lineWidth = 2.0f;
            style.lineColor = kFrame;
        }
        const Plate plate = draw(style, "Tokyo");
        const int right = plate.width - 1, bottom = plate.height - 1;
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{
                 {0, 0}, {1, 1}, {right, 0}, {0, bottom}, {right, bottom}, {right - 1, bottom - 1}}) {
            EXPECT_EQ(plate.alpha(x, y), 0) << x << "," << y;
        }
        // Mid-edges keep the plate or the frame, the inside the plate.
        const _K7D_STR_COLOR edge = framed ? kFrame : kPlate;
        EXPECT_TRUE(plate.is(plate.width / 2, 0, edge));
        EXPECT_TRUE(plate.is(0, plate.height / 2, edge));
        EXPECT_TRUE(plate.is(right, plate.height / 2, edge));
        EXPECT_TRUE(plate.is(4, 4 + (framed ? 2 : 0) + 2, kPlate));
        if (framed) {
            EXPECT_TRUE(plate.is(3, 3, kFrame)) << "the frame follows the arc";
        }
    }
}

TEST_F(TextDecorateTest, ATransparentPlateKeepsSquareCorners) {
    Style style;
    style.plate = rgba(250, 240, 200, 0);
    style.margin = std::make_pair(uint16_t{8}, uint16_t{8});
    style.radius = 6.0f;
    style.lineWidth = 1.0f;
    style.lineColor = kFrame;
    const Plate plate = draw(style, "Tokyo");
    EXPECT_EQ(plate.width, 2 * 1 + textImage(style, "Tokyo").width);
    EXPECT_TRUE(plate.is(0, 0, kFrame));
    EXPECT_TRUE(plate.is(plate.width - 1, plate.height - 1, kFrame));
}

TEST_F(TextDecorateTest, ACornerRadiusBeyondHalfThePlateIsCutToHalfItsHeight) {
    Style style;
    style.plate = kPlate;
    style.margin = std::make_pair(uint16_t{20}, uint16_t{2});
    style.radius = 500.0f;
    const Plate plate = draw(style, "Tokyo");
    ASSERT_GT(plate.width, plate.height);
    const int middle = plate.height / 2;
    EXPECT_EQ(plate.alpha(0, 0), 0);
    EXPECT_GT(plate.alpha(0, middle), 0) << "a half-height radius leaves the middle of the short side";
    EXPECT_GT(plate.alpha(plate.width / 2, 0), 0);
    EXPECT_GT(plate.alpha(plate.width - 1, middle), 0);
}

TEST_F(TextDecorateTest, PositionsAlignTheLinesOfAPlate) {
    Style style;
    const std::string text = "i\nWWWW";
    // The left edge of the ink in the top quarter, where only "i" stands.
    const auto leftOfFirstLine = [&](std::optional<uint8_t> position) {
        Style positioned = style;
        positioned.position = position;
        const Plate plate = draw(positioned, text);
        for (int x = 0; x < plate.width; ++x) {
            for (int y = 0; y < plate.height / 4; ++y) {
                if (plate.alpha(x, y) > 0) return x;
            }
        }
        return -1;
    };
    // Right of the icons: lines start at the left; left of them: end at the right.
    const int start = leftOfFirstLine(1), centre = leftOfFirstLine(std::nullopt), end = leftOfFirstLine(2);
    EXPECT_GE(start, 0);
    EXPECT_LT(start, centre);
    EXPECT_LT(centre, end);
    EXPECT_EQ(leftOfFirstLine(0), centre);
    EXPECT_EQ(leftOfFirstLine(3), centre);

    // Vertical: below the icons the columns start at the top, above them they
    // end at the bottom. The first line is the right-hand column.
    const auto topOfFirstColumn = [&](std::optional<uint8_t> position) {
        Style positioned = style;
        positioned.vertical = 1;
        positioned.position = position;
        const Plate plate = draw(positioned, "山\n川川川");
        for (int y = 0; y < plate.height; ++y) {
            for (int x = plate.width * 3 / 4; x < plate.width; ++x) {
                if (plate.alpha(x, y) > 0) return y;
            }
        }
        return -1;
    };
    const int top = topOfFirstColumn(4), middle = topOfFirstColumn(std::nullopt), bottom = topOfFirstColumn(3);
    EXPECT_GE(top, 0);
    EXPECT_LT(top, middle);
    EXPECT_LT(middle, bottom);
    EXPECT_EQ(topOfFirstColumn(1), middle);
}

TEST_F(TextDecorateTest, ASpreadStretchesThePlate) {
    Style style;
    const int plain = draw(style, "Tokyo").width;
    style.spread = 1.5f;
    const Plate wide = draw(style, "Tokyo");
    EXPECT_EQ(wide.width, static_cast<int>(1.5f * plain + 1));
    style.limit = 2.0f;
    std::unique_ptr<K7DataCtg> group(style.build());
    TextDecorate limited;
    limited.setInfo(group.get());
    limited.setSpread(1.5f);
    limited.setText("Tokyo");
    EXPECT_EQ(limited.getWidth(), static_cast<int>(2.0f * plain + 1));
}

// Styles arrive decoded from records, where numbers carry their encoded
// width rather than their named class.
TEST_F(TextDecorateTest, ADecodedStyleDrawsLikeTheBuiltOne) {
    Style style;
    style.plate = kPlate;
    style.margin = std::make_pair(uint16_t{4}, uint16_t{2});
    style.radius = 3.0f;
    style.lineWidth = 1.0f;
    style.lineColor = kFrame;
    style.rimWidth = 2;
    style.rimColor = kRim;
    style.position = 1;
    std::unique_ptr<K7DataCtg> built(style.build());
    const std::string bytes(built->getBinary(), built->getSizeAll());
    K7DataCtg decoded;
    decoded.setBinary(bytes.data());

    TextDecorate fromBuilt, fromDecoded;
    fromBuilt.setInfo(built.get());
    fromDecoded.setInfo(&decoded);
    fromBuilt.setText("東京 Tokyo");
    fromDecoded.setText("東京 Tokyo");
    ASSERT_GT(fromDecoded.getWidth(), 0);
    EXPECT_EQ(fromDecoded.getWidth(), fromBuilt.getWidth());
    EXPECT_EQ(fromDecoded.getHeight(), fromBuilt.getHeight());
    EXPECT_EQ(fromDecoded.getData(), fromBuilt.getData());
}

}  // namespace
