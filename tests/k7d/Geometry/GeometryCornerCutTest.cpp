#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GeometryLogCapture.h"
#include "GeometryProcBase.h"

namespace {

using Points = std::vector<GeoBasePoint>;

struct CornerCase {
    const char* what;
    Points ring;
    size_t a, b, c;
    int result;
    Points after;
    const char* message;  // the debug line that explains the result, if any
};

const Points kLShape = {{0, 0}, {0, 2}, {1, 2}, {1, 1}, {2, 1}, {2, 0}, {0, 0}};
const Points kVNotch = {{0, 0}, {0, 4}, {2, 1}, {4, 4}, {4, 0}, {0, 0}};

using GeometryCornerCutTest = GeometryLogCapture;

TEST_F(GeometryCornerCutTest, CheckTriangleCutsOnlyCleanConvexCorners) {
    const std::vector<CornerCase> cases = {
        {"convex ear is cut", kLShape, 1, 2, 3, 2, {{0, 0}, {0, 2}, {1, 1}, {2, 1}, {2, 0}, {0, 0}}, nullptr},
        {"reflex corner stays", kLShape, 2, 3, 4, 0, kLShape, nullptr},
        {"repeated point is removed", {{0, 0}, {0, 2}, {0, 2}, {2, 2}, {0, 0}}, 1, 2, 3, 1,
         {{0, 0}, {0, 2}, {2, 2}, {0, 0}}, "Same Point"},
        {"straight corner is removed", {{0, 0}, {0, 1}, {0, 2}, {2, 2}, {2, 0}, {0, 0}}, 0, 1, 2, 1,
         {{0, 0}, {0, 2}, {2, 2}, {2, 0}, {0, 0}}, "Invalid Angle"},
        {"cut that makes the ring cross itself", kVNotch, 3, 4, 5, 0, kVNotch, "Self Intersect"},
        {"cut line touching the rest of the ring", {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}}, 0, 1, 2, 0,
         {{0, 0}, {0, 1}, {1, 1}, {1, 0}, {0, 0}}, "Split Line Intersect"},
        {"cut that leaves no area", {{0, 0}, {0, 1}, {1, 0}, {0, 0}}, 1, 2, 3, 0, {{0, 0}, {0, 1}, {1, 0}, {0, 0}},
         "counter clockwise"},
    };
    for (const CornerCase& c : cases) {
        GeoDataLine ring(c.ring);
        logged();
        EXPECT_EQ(GeometryProcBase::checkTriangle(ring, c.a, c.b, c.c), c.result) << c.what;
        EXPECT_EQ(ring.getLine(), c.after) << c.what;
        const std::string text = logged();
        if (c.message != nullptr) {
            EXPECT_NE(text.find(std::string(" : ") + c.message + "\n"), std::string::npos) << c.what << ": " << text;
        }
    }
}

TEST_F(GeometryCornerCutTest, CheckTriangleLogsTheAngle) {
    GeoDataLine ring(kLShape);
    GeometryProcBase::checkTriangle(ring, 1, 2, 3);
    EXPECT_NE(logged().find("[checkTriangle] : angle90 \n"), std::string::npos);
}

TEST(GeometryCornerCutIndexTest, CheckTriangleIgnoresIndicesOutsideRing) {
    GeoDataLine ring(kLShape);
    EXPECT_EQ(GeometryProcBase::checkTriangle(ring, 1, 2, 7), 0);
    EXPECT_EQ(GeometryProcBase::checkTriangle(ring, 9, 2, 3), 0);
    GeoDataLine empty;
    EXPECT_EQ(GeometryProcBase::checkTriangle(empty, 0, 0, 0), 0);
    EXPECT_EQ(ring.getLine(), kLShape);
}

}  // namespace
