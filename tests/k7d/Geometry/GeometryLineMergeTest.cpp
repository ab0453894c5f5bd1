#include <gtest/gtest.h>

#include <vector>

#include "GeometryProcBase.h"

namespace {

using Points = std::vector<GeoBasePoint>;

struct MergeCase {
    const char* what;
    std::vector<Points> in;
    std::vector<Points> out;
};

std::vector<Points> merged(const std::vector<Points>& in) {
    std::vector<GeoDataLine> lines(in.begin(), in.end());
    GeometryProcBase::lineMerge(lines);
    std::vector<Points> out;
    for (const GeoDataLine& line : lines) out.push_back(line.getLine());
    return out;
}

TEST(GeometryLineMergeTest, JoinsLinesAtSharedEnds) {
    const std::vector<MergeCase> cases = {
        {"two lines ending at one point", {{{0, 0}, {1, 0}}, {{2, 0}, {1, 0}}}, {{{0, 0}, {1, 0}, {2, 0}}}},
        {"chain out of order and direction",
         {{{2, 0}, {3, 0}}, {{1, 0}, {0, 0}}, {{1, 0}, {2, 0}}},
         {{{0, 0}, {1, 0}, {2, 0}, {3, 0}}}},
        {"start in the middle of a chain turns to grow at its end",
         {{{0, 0}, {1, 5}}, {{2, 5}, {0, 0}}},
         {{{1, 5}, {0, 0}, {2, 5}}}},
        {"longer lines keep their inner points",
         {{{1, 0}, {2, 0}, {2, 5}}, {{0, 0}, {1, 0}}, {{2, 5}, {3, 5}}},
         {{{0, 0}, {1, 0}, {2, 0}, {2, 5}, {3, 5}}}},
        {"disjoint lines stay apart, sorted by their smallest end",
         {{{5, 5}, {6, 6}}, {{0, 0}, {1, 1}}},
         {{{0, 0}, {1, 1}}, {{5, 5}, {6, 6}}}},
        {"three lines at one point: first two join by index",
         {{{0, 0}, {1, 0}}, {{1, 0}, {2, 0}}, {{1, 0}, {1, 1}}},
         {{{0, 0}, {1, 0}, {2, 0}}, {{1, 0}, {1, 1}}}},
        {"a ring closes on itself", {{{0, 0}, {1, 0}}, {{1, 0}, {1, 1}}, {{1, 1}, {0, 0}}},
         {{{0, 0}, {1, 0}, {1, 1}, {0, 0}}}},
        {"nothing", {}, {}},
    };
    for (const MergeCase& c : cases) {
        EXPECT_EQ(merged(c.in), c.out) << c.what;
    }
}

TEST(GeometryLineMergeTest, DegenerateLinesDoNotBreakTheMerge) {
    EXPECT_EQ(merged({{}, {{0, 0}, {1, 0}}, {}}), (std::vector<Points>{{{0, 0}, {1, 0}}})) << "empty lines dropped";
    EXPECT_EQ(merged({{{1, 0}}, {{0, 0}, {1, 0}}}), (std::vector<Points>{{{0, 0}, {1, 0}}}))
        << "a single point at a joint adds nothing";
    EXPECT_EQ(merged({{{7, 7}}}), (std::vector<Points>{{{7, 7}}})) << "a lone single point stays";
}

}  // namespace
