#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "MaskArea.h"

namespace {

bool bitAt(const MaskArea& area, size_t x, size_t y) {
    const std::string& bytes = area.row(y).bytes();
    return (static_cast<uint8_t>(bytes[x / 8]) >> (7 - x % 8)) & 1;
}

// Number of set bits in a row, and the first and last of them.
struct RowSpan {
    int count = 0;
    int first = -1;
    int last = -1;
};

RowSpan spanOf(const MaskArea& area, size_t y) {
    RowSpan span;
    for (size_t x = 0; x < area.row(y).size(); ++x) {
        if (!bitAt(area, x, y)) continue;
        if (span.first < 0) span.first = static_cast<int>(x);
        span.last = static_cast<int>(x);
        ++span.count;
    }
    return span;
}

int setBits(const MaskArea& area) {
    int count = 0;
    for (size_t y = 0; y < area.rowCount(); ++y) count += spanOf(area, y).count;
    return count;
}

TEST(MaskAreaTest, InitAppendsClearRowsAndClearRemovesThem) {
    MaskArea area(16, 4);
    ASSERT_EQ(area.rowCount(), 4u);
    EXPECT_EQ(area.row(3).size(), 16u);
    EXPECT_EQ(setBits(area), 0);
    area.init(16, 2);
    EXPECT_EQ(area.rowCount(), 6u);
    area.clear();
    EXPECT_EQ(area.rowCount(), 0u);
    EXPECT_FALSE(area.check(0, 0, 1, 1, 0));
}

TEST(MaskAreaTest, ChecksKeepOnePixelOfMarginAndMarksDoNot) {
    MaskArea area(16, 4);
    area.mask(0, 0, 8, 1, 0);
    EXPECT_EQ(static_cast<uint8_t>(area.row(0).bytes()[0]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(area.row(0).bytes()[1]), 0x00);
    EXPECT_FALSE(area.check(8, 0, 8, 1, 0));
    EXPECT_TRUE(area.check(9, 0, 7, 1, 0));
    EXPECT_FALSE(area.check(0, 1, 4, 1, 0));
    EXPECT_TRUE(area.check(0, 2, 4, 1, 0));
}

TEST(MaskAreaTest, MarksExactlyTheRectangleRows) {
    MaskArea area(16, 4);
    area.mask(3, 1, 2, 2, 0);
    EXPECT_EQ(static_cast<uint8_t>(area.row(0).bytes()[0]), 0x00);
    EXPECT_EQ(static_cast<uint8_t>(area.row(1).bytes()[0]), 0x18);
    EXPECT_EQ(static_cast<uint8_t>(area.row(2).bytes()[0]), 0x18);
    EXPECT_EQ(static_cast<uint8_t>(area.row(3).bytes()[0]), 0x00);
}

TEST(MaskAreaTest, RectanglesPartlyOutsideAreClippedToTheBitmap) {
    MaskArea area(16, 8);
    area.mask(-5, -2, 8, 4, 0);
    EXPECT_EQ(static_cast<uint8_t>(area.row(0).bytes()[0]), 0xE0);
    EXPECT_EQ(static_cast<uint8_t>(area.row(1).bytes()[0]), 0xE0);
    EXPECT_EQ(static_cast<uint8_t>(area.row(2).bytes()[0]), 0x00);
    EXPECT_FALSE(area.check(-10, 0, 10, 1, 0));
    EXPECT_TRUE(area.check(-10, 3, 10, 2, 0));
    area.mask(12, 6, 10, 10, 0);
    EXPECT_EQ(static_cast<uint8_t>(area.row(7).bytes()[1]), 0x0F);
    EXPECT_FALSE(area.check(14, 7, 100, 100, 0));
}

struct OutsideCase {
    int32_t x;
    int32_t y;
    uint32_t w;
    uint32_t h;
    double angle;
};

class MaskAreaOutsideTest : public ::testing::TestWithParam<OutsideCase> {};

// Left of, right of, above and below a clear 32 x 16 bitmap, upright and turned.
INSTANTIATE_TEST_SUITE_P(AllSides, MaskAreaOutsideTest,
                         ::testing::Values(OutsideCase{-20, 4, 10, 4, 0}, OutsideCase{40, 4, 10, 4, 0},
                                           OutsideCase{4, -20, 10, 4, 0}, OutsideCase{4, 20, 10, 4, 0},
                                           OutsideCase{-60, 4, 10, 4, 30}, OutsideCase{80, 4, 10, 4, 30},
                                           OutsideCase{4, -60, 10, 4, 45}, OutsideCase{4, 60, 10, 4, 90}));

TEST_P(MaskAreaOutsideTest, IsNeverFreeAndMarksNothing) {
    MaskArea area(32, 16);
    const OutsideCase& c = GetParam();
    EXPECT_FALSE(area.check(c.x, c.y, c.w, c.h, c.angle));
    area.mask(c.x, c.y, c.w, c.h, c.angle);
    EXPECT_EQ(setBits(area), 0);
}

TEST(MaskAreaTest, QuarterTurnsCoverTheTurnedBoundingBox) {
    // A 40 x 4 bar centred at (50, 50).
    MaskArea quarter(128, 128);
    quarter.mask(30, 48, 40, 4, 90);
    MaskArea half(128, 128);
    half.mask(30, 48, 40, 4, 180);

    // A quarter turn stands the bar up: 4 wide, 40 high.
    EXPECT_FALSE(bitAt(quarter, 40, 50));
    EXPECT_TRUE(bitAt(quarter, 50, 35));
    EXPECT_TRUE(bitAt(quarter, 50, 65));
    EXPECT_EQ(spanOf(quarter, 50).count, 4);
    // A half turn lies where the upright bar lies.
    EXPECT_TRUE(bitAt(half, 35, 50));
    EXPECT_FALSE(bitAt(half, 50, 35));
    EXPECT_EQ(spanOf(half, 50).count, 40);
}

TEST(MaskAreaTest, AnEighthTurnMarksADiamondWideningToTheMiddle) {
    MaskArea area(64, 64);
    area.mask(22, 22, 20, 20, 45);
    std::vector<int> widths;
    for (size_t y = 0; y < area.rowCount(); ++y) {
        const RowSpan span = spanOf(area, y);
        if (span.count == 0) continue;
        EXPECT_EQ(span.last - span.first + 1, span.count) << "row " << y << " has a gap";
        EXPECT_NEAR((span.first + span.last) / 2.0, 32.0, 1.5) << "row " << y;
        widths.push_back(span.count);
    }
    // The diagonal of a 20 x 20 square is about 28 pixels, both ways.
    EXPECT_NEAR(static_cast<double>(widths.size()), 28.3, 2.0);
    const size_t middle = widths.size() / 2;
    EXPECT_NEAR(widths[middle], 28.3, 2.5);
    for (size_t i = 1; i <= middle; ++i) EXPECT_GE(widths[i], widths[i - 1]) << "rows widen to the middle";
    for (size_t i = middle + 1; i < widths.size(); ++i) EXPECT_LE(widths[i], widths[i - 1]) << "then narrow";
    EXPECT_LE(widths.front(), 4);
    EXPECT_LE(widths.back(), 4);
}

TEST(MaskAreaTest, ASlightlyTurnedLabelKeepsItsLengthAlongTheTurn) {
    // A 100 x 10 label centred at (100, 100), turned by 1 and by 30 degrees
    // (clockwise on the screen, y down).
    MaskArea slight(256, 256);
    slight.mask(50, 95, 100, 10, 1);
    EXPECT_TRUE(bitAt(slight, 55, 99));
    EXPECT_TRUE(bitAt(slight, 145, 101));
    EXPECT_FALSE(bitAt(slight, 100, 70));
    EXPECT_FALSE(bitAt(slight, 100, 130));

    MaskArea turned(256, 256);
    turned.mask(50, 95, 100, 10, 30);
    const double radians = 30 * M_PI / 180;
    for (double along : {-45.0, -20.0, 0.0, 20.0, 45.0}) {
        const int x = static_cast<int>(std::lround(100 + along * std::cos(radians)));
        const int y = static_cast<int>(std::lround(100 + along * std::sin(radians)));
        EXPECT_TRUE(bitAt(turned, x, y)) << "along " << along;
    }
    // Perpendicular to the turned label, 15 pixels off its axis, is clear.
    EXPECT_FALSE(bitAt(turned, static_cast<int>(100 - 15 * std::sin(radians)),
                       static_cast<int>(100 + 15 * std::cos(radians))));
}

TEST(MaskAreaTest, TurnedLabelsCollideWhereTheyOverlapOnly) {
    MaskArea area(256, 256);
    ASSERT_TRUE(area.check(50, 95, 100, 10, 30));
    area.mask(50, 95, 100, 10, 30);
    // The same label again, and an upright one crossing it at its centre.
    EXPECT_FALSE(area.check(50, 95, 100, 10, 30));
    EXPECT_FALSE(area.check(80, 98, 40, 4, 0));
    // A parallel label 20 pixels off the axis, and an upright one beside the
    // turned label's raised left end.
    const double radians = 30 * M_PI / 180;
    EXPECT_TRUE(area.check(static_cast<int32_t>(50 - 20 * std::sin(radians)),
                           static_cast<int32_t>(95 + 20 * std::cos(radians)), 100, 10, 30));
    EXPECT_TRUE(area.check(40, 110, 20, 10, 0));
    EXPECT_FALSE(area.check(55, 68, 20, 8, 0));
}

class MaskAreaNearQuarterTurnTest : public ::testing::TestWithParam<double> {};

// Angles a rounding error away from a quarter turn, as label angles come out
// of camera arithmetic; many whole turns; and angles that are not numbers.
INSTANTIATE_TEST_SUITE_P(Angles, MaskAreaNearQuarterTurnTest,
                         ::testing::Values(1e-12, -1e-12, 7.3e-40, 90 + 1e-9, -90 - 1e-9, 180 - 1e-10,
                                           270.0000001, 360 + 1e-9, 360.0 * 1e20, -9.3e35,
                                           std::numeric_limits<double>::quiet_NaN(),
                                           std::numeric_limits<double>::infinity()));

TEST_P(MaskAreaNearQuarterTurnTest, MarksAboutTheUprightRectangle) {
    MaskArea area(128, 128);
    area.mask(40, 40, 20, 10, GetParam());
    EXPECT_TRUE(bitAt(area, 50, 45));
    EXPECT_NEAR(setBits(area), 200, 60);
    EXPECT_FALSE(area.check(40, 40, 20, 10, GetParam()));
    EXPECT_FALSE(area.check(48, 43, 4, 4, 0));
}

TEST(MaskAreaTest, ATurnedRectangleAcrossTheLeftEdgeIsMarkedUpToTheEdge) {
    // A 100 x 10 bar centred at (10, 25), turned by 30 degrees: its left end
    // lies beyond the bitmap, and it crosses the left edge near row 19.
    MaskArea area(128, 64);
    area.mask(-40, 20, 100, 10, 30);
    EXPECT_TRUE(bitAt(area, 0, 19));
    EXPECT_TRUE(bitAt(area, 2, 20));
    EXPECT_TRUE(bitAt(area, 10, 25));
    EXPECT_FALSE(area.check(0, 17, 4, 4, 0));
    EXPECT_FALSE(area.check(0, 17, 4, 4, 30));
}

TEST(MaskAreaTest, ChecksOfTurnedRectanglesUseTheMarginToo) {
    MaskArea area(128, 128);
    area.mask(40, 40, 20, 20, 90);
    EXPECT_FALSE(area.check(60, 45, 10, 10, 90));
    EXPECT_TRUE(area.check(62, 45, 10, 10, 90));
    EXPECT_FALSE(area.check(60, 45, 10, 10, 45));
    EXPECT_TRUE(area.check(64, 45, 10, 10, 45));
}

}  // namespace
