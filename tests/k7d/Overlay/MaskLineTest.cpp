#include <gtest/gtest.h>

#include <string>

#include "MaskLine.h"

namespace {

std::string bytesOf(std::initializer_list<unsigned> values) {
    std::string bytes;
    for (unsigned value : values) bytes.push_back(static_cast<char>(value));
    return bytes;
}

struct MarkCase {
    uint32_t x;
    uint32_t length;
    std::string bytes;
};

class MaskLineMarkTest : public ::testing::TestWithParam<MarkCase> {};

// Leftmost pixel in a byte's top bit; runs inside one byte, across bytes,
// ending on a byte boundary, empty, and running past or starting past the row.
INSTANTIATE_TEST_SUITE_P(Runs, MaskLineMarkTest,
                         ::testing::Values(MarkCase{3, 2, bytesOf({0x18, 0, 0})},
                                           MarkCase{0, 8, bytesOf({0xFF, 0, 0})},
                                           MarkCase{6, 4, bytesOf({0x03, 0xC0, 0})},
                                           MarkCase{4, 16, bytesOf({0x0F, 0xFF, 0xF0})},
                                           MarkCase{8, 8, bytesOf({0, 0xFF, 0})},
                                           MarkCase{5, 0, bytesOf({0, 0, 0})},
                                           MarkCase{20, 10, bytesOf({0, 0, 0x0F})},
                                           MarkCase{24, 5, bytesOf({0, 0, 0})},
                                           MarkCase{40, 5, bytesOf({0, 0, 0})}));

TEST_P(MaskLineMarkTest, SetsExactlyTheBitsOfTheRunInsideTheRow) {
    MaskLine line(24);
    line.mask(GetParam().x, GetParam().length);
    EXPECT_EQ(line.bytes(), GetParam().bytes);
}

TEST(MaskLineTest, WidthIsRoundedDownToWholeBytes) {
    EXPECT_EQ(MaskLine(21).size(), 16u);
    EXPECT_EQ(MaskLine(7).size(), 0u);
    MaskLine line(24);
    line.clear();
    EXPECT_EQ(line.size(), 0u);
}

struct CheckCase {
    uint32_t x;
    uint32_t length;
    bool free;
};

class MaskLineCheckTest : public ::testing::TestWithParam<CheckCase> {};

// Against a row of 32 bits with bits 8 to 15 set.
INSTANTIATE_TEST_SUITE_P(AroundAMarkedByte, MaskLineCheckTest,
                         ::testing::Values(CheckCase{0, 8, true}, CheckCase{16, 16, true},
                                           CheckCase{7, 1, true}, CheckCase{7, 2, false},
                                           CheckCase{15, 1, false}, CheckCase{15, 2, false},
                                           CheckCase{0, 32, false}, CheckCase{2, 5, true},
                                           CheckCase{12, 0, true}, CheckCase{24, 100, true},
                                           CheckCase{32, 3, true}, CheckCase{40, 1, false}));

TEST_P(MaskLineCheckTest, ReportsWhetherTheRunIsClear) {
    MaskLine line(32);
    line.mask(8, 8);
    EXPECT_EQ(line.check(GetParam().x, GetParam().length), GetParam().free);
}

}  // namespace
