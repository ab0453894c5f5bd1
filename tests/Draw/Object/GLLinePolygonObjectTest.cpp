#include "GLLinePolygonObject.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "K7DataLn4.h"

using namespace qiv;

namespace {

const float kRed[4] = {255, 0, 0, 255};

GLCoord at(double x, double y) {
    return GLCoord(x, y, 0.0, true);
}

struct Vertex {
    double x, y;     // world position
    float ex, ey;    // extrude
    float side;      // second side component
    float distance;  // distance so far
};

std::vector<Vertex> vertices(const GLLinePolygonObject& line) {
    std::vector<Vertex> out;
    const auto& p = line.getWorldPoints();
    for (int v = 0; v < line.getVerticesNum(); ++v) {
        out.push_back({p[3 * v], p[3 * v + 1], line.getExtrude()[2 * v], line.getExtrude()[2 * v + 1],
                       line.getSide()[2 * v + 1], line.getLineSofar()[v]});
        EXPECT_EQ(line.getSide()[2 * v], 0.0f);
        EXPECT_EQ(p[3 * v + 2], 0.0);
    }
    return out;
}

// Every array agrees with the vertex count and every index is in range.
void expectConsistent(const GLLinePolygonObject& line) {
    const size_t n = static_cast<size_t>(line.getVerticesNum());
    EXPECT_EQ(line.getWorldPoints().size(), 3 * n);
    EXPECT_EQ(line.getExtrude().size(), 2 * n);
    EXPECT_EQ(line.getSide().size(), 2 * n);
    EXPECT_EQ(line.getLineSofar().size(), n);
    EXPECT_EQ(line.getIndex().size() % 3, 0u);
    for (uint16_t index : line.getIndex()) ASSERT_LT(index, n);
}

bool isCapCentre(const Vertex& v) {
    return v.side == 0.5f;
}

std::vector<double> flat(std::initializer_list<double> values) {
    return values;
}

}  // namespace

TEST(GLLinePolygonObjectTest, OpenTwoPointLineHasAStripAndTwoHalfDiscCaps) {
    GLLinePolygonObject line(POLYGON_LINE_OBJECT);
    ASSERT_TRUE(line.isVisibleRegion(flat({100, 100, 200, 100})));
    expectConsistent(line);
    const std::vector<Vertex> v = vertices(line);
    ASSERT_EQ(v.size(), 22u) << "8 strip vertices and two caps of 7";
    EXPECT_EQ(line.getIndex().size(), 3u * (6 + 5 + 5));

    // Start cap (centre and six rim vertices), four vertices per point,
    // end cap.
    for (size_t cap : {0u, 15u}) {
        EXPECT_TRUE(isCapCentre(v[cap])) << cap;
        EXPECT_EQ(v[cap].ex, 0.0f);
        EXPECT_EQ(v[cap].ey, 0.0f);
        for (size_t k = cap + 1; k <= cap + 6; ++k) {
            EXPECT_EQ(v[k].side, 1.0f);
            EXPECT_NEAR(std::hypot(v[k].ex, v[k].ey), 1.0, 1e-6) << "rim extrudes are unit vectors";
        }
    }
    // Along +x the left extrude is +y (side 0) and the right one -y (side 1).
    for (size_t k = 7; k < 15; ++k) {
        const bool left = (k - 7) % 2 == 0;
        EXPECT_EQ(v[k].ex, 0.0f) << k;
        EXPECT_EQ(v[k].ey, left ? 1.0f : -1.0f) << k;
        EXPECT_EQ(v[k].side, left ? 0.0f : 1.0f) << k;
        EXPECT_EQ(v[k].x, k < 11 ? 100.0 : 200.0) << k;
    }
    for (const Vertex& vertex : v) {
        EXPECT_EQ(vertex.y, 100.0);
        EXPECT_EQ(vertex.distance, vertex.x == 100 ? 0.0f : 100.0f);
    }
}

TEST(GLLinePolygonObjectTest, CapsBulgeAwayFromTheLine) {
    // Lines in several directions; (dx, dy) is the unit direction.
    const std::vector<std::vector<double>> directions = {{0.6, 0.8}, {-0.8, 0.6}, {0, -1}, {1, 0}};
    for (const auto& d : directions) {
        GLLinePolygonObject line;
        ASSERT_TRUE(line.isVisibleRegion(flat({1000, 1000, 1000 + 500 * d[0], 1000 + 500 * d[1]})));
        const std::vector<Vertex> v = vertices(line);
        ASSERT_EQ(v.size(), 22u);
        // Start cap at 0 .. 6 bulges against the direction, end cap at
        // 15 .. 21 along it; rim vertices sweep the half plane beyond the end.
        for (size_t cap : {0u, 15u}) {
            const double sign = cap == 0 ? -1.0 : 1.0;
            for (size_t k = cap + 1; k <= cap + 6; ++k) {
                const double along = sign * (v[k].ex * d[0] + v[k].ey * d[1]);
                EXPECT_GE(along, -1e-6) << "rim vertex " << k - cap << " points back into the line";
            }
            // The first and last rim vertices lie across the line, the middle
            // ones beyond its end.
            EXPECT_NEAR(v[cap + 1].ex * d[0] + v[cap + 1].ey * d[1], 0.0, 1e-6);
            EXPECT_NEAR(v[cap + 6].ex, -v[cap + 1].ex, 1e-6);
            EXPECT_NEAR(v[cap + 6].ey, -v[cap + 1].ey, 1e-6);
            EXPECT_GT(sign * (v[cap + 3].ex * d[0] + v[cap + 3].ey * d[1]), 0.9);
        }
    }
}

TEST(GLLinePolygonObjectTest, CapTrianglesFanFromTheirCentre) {
    GLLinePolygonObject line;
    GLCoord point = at(10, 10);
    GLCoord east = at(1, 0);
    line.addRoundCap(point, east, 42.0f, 6);
    ASSERT_EQ(line.getVerticesNum(), 7);
    const std::vector<uint16_t> expected = {0, 1, 2, 0, 2, 3, 0, 3, 4, 0, 4, 5, 0, 5, 6};
    EXPECT_EQ(line.getIndex(), expected);
    EXPECT_EQ(line.getLineSofar(), std::vector<float>(7, 42.0f));

    GLLinePolygonObject none;
    none.addRoundCap(point, east, 0.0f, 2);
    EXPECT_EQ(none.getVerticesNum(), 0) << "two segments make no disc";
}

TEST(GLLinePolygonObjectTest, ClosedSquareHasNoCapsAndABevelAtEveryCorner) {
    GLLinePolygonObject line;
    ASSERT_TRUE(line.isVisibleRegion(flat({0, 0, 100, 0, 100, 100, 0, 100, 0, 0})));
    expectConsistent(line);
    const std::vector<Vertex> v = vertices(line);
    ASSERT_EQ(v.size(), 20u) << "four vertices per point, no caps";
    for (const Vertex& vertex : v) EXPECT_FALSE(isCapCentre(vertex));
    EXPECT_EQ(line.getIndex().size(), 3u * 18) << "one strip";

    // The first corner joins the closing segment (heading south) to the
    // first one (heading east): its first pair extrudes across the closing
    // segment, its second pair across the first segment.
    EXPECT_NEAR(v[0].ex, 1.0, 1e-6);   // left of south is east
    EXPECT_NEAR(v[1].ex, -1.0, 1e-6);
    EXPECT_NEAR(v[2].ey, 1.0, 1e-6);   // left of east is north
    EXPECT_NEAR(v[3].ey, -1.0, 1e-6);
    EXPECT_EQ(v.back().distance, 400.0f);
}

TEST(GLLinePolygonObjectTest, StripTrianglesLinkConsecutiveVertices) {
    GLLinePolygonObject line;
    ASSERT_TRUE(line.isVisibleRegion(flat({0, 0, 100, 0, 100, 100})));
    // Caps are 7 vertices each: the start cap comes first, the strip
    // vertices 7 .. 18 form triangles (k - 2, k - 1, k).
    const std::vector<uint16_t>& index = line.getIndex();
    std::set<std::vector<uint16_t>> triangles;
    for (size_t i = 0; i < index.size(); i += 3) triangles.insert({index[i], index[i + 1], index[i + 2]});
    for (uint16_t k = 9; k <= 18; ++k) {
        EXPECT_TRUE(triangles.count({uint16_t(k - 2), uint16_t(k - 1), k})) << k;
    }
    EXPECT_EQ(triangles.size(), 10u + 10u);
}

TEST(GLLinePolygonObjectTest, RepeatedPointsAreSkippedAndDistancesAccumulate) {
    GLLinePolygonObject line;
    ASSERT_TRUE(line.isVisibleRegion(flat({0, 0, 0, 0, 30, 40, 30, 40, 30, 40, 30, 100})));
    expectConsistent(line);
    EXPECT_EQ(line.getVerticesNum(), 3 * 4 + 14);
    for (float extrude : line.getExtrude()) EXPECT_FALSE(std::isnan(extrude));
    std::set<float> distances(line.getLineSofar().begin(), line.getLineSofar().end());
    EXPECT_EQ(distances, (std::set<float>{0.0f, 50.0f, 110.0f}));
}

TEST(GLLinePolygonObjectTest, LinesThatBuildNothing) {
    const std::vector<std::vector<double>> lines = {
        {},
        {5, 5},
        {5, 5, 5, 5},          // closed, two points
        {5, 5, 5, 5, 5, 5},    // one point repeated
        {1, 2, 3},             // one whole point
    };
    for (const auto& points : lines) {
        GLLinePolygonObject line;
        EXPECT_FALSE(line.isVisibleRegion(points)) << points.size();
        EXPECT_EQ(line.getVerticesNum(), 0);
        EXPECT_TRUE(line.getIndex().empty());
    }
}

TEST(GLLinePolygonObjectTest, OnlyTheFirst16000PointsAreUsed) {
    std::vector<double> points;
    for (int i = 0; i < 20000; ++i) points.insert(points.end(), {double(i * 10), double((i % 2) * 10)});
    GLLinePolygonObject line;
    ASSERT_TRUE(line.isVisibleRegion(points));
    expectConsistent(line);
    EXPECT_EQ(line.getVerticesNum(), 16000 * 4 + 14);
    double maxX = 0;
    for (size_t i = 0; i < line.getWorldPoints().size(); i += 3) maxX = std::max(maxX, line.getWorldPoints()[i]);
    EXPECT_EQ(maxX, 159990.0);
}

TEST(GLLinePolygonObjectTest, LinesOfAGroupShareTheObjectWithoutOverflowingIndices) {
    GLLinePolygonObject line(POLYGON_LINE_OBJECT);
    std::vector<double> longLine;
    for (int i = 0; i < 16000; ++i) longLine.insert(longLine.end(), {double(i), double(i % 3)});
    K7DataLn4 first, second;
    first.editContents().addCoord(0, 0);
    first.editContents().addCoord(10, 0);
    second.editContents().addCoord(0, 50);
    second.editContents().addCoord(10, 50);

    ASSERT_TRUE(line.setVertices(&first));
    const size_t firstIndices = line.getIndex().size();
    ASSERT_TRUE(line.setVertices(&second));
    expectConsistent(line);
    EXPECT_EQ(line.getVerticesNum(), 44);
    for (size_t i = firstIndices; i < line.getIndex().size(); ++i) {
        EXPECT_GE(line.getIndex()[i], 22) << "a triangle bridges two lines of the group";
    }

    GeoDataLine asLine;
    for (size_t i = 0; i < longLine.size(); i += 2) asLine.addCoord(longLine[i], longLine[i + 1]);
    EXPECT_TRUE(line.canAppend(asLine));
    ASSERT_TRUE(line.isVisibleRegion(longLine));
    const int before = line.getVerticesNum();
    EXPECT_FALSE(line.canAppend(asLine));
    EXPECT_TRUE(line.canAppend(GeoDataLine())) << "a line that builds nothing always fits";
    EXPECT_FALSE(line.isVisibleRegion(longLine)) << "would pass 65536 vertices";
    EXPECT_EQ(line.getVerticesNum(), before);
    expectConsistent(line);
}

TEST(GLLinePolygonObjectTest, ApplicationLineRebuildsOnRegistration) {
    GLLinePolygonObject line;
    ASSERT_TRUE(line.initialize("walk", 3.0f, {0, 0, 100, 0}, kRed, 1, 2, false, 250.0f));
    EXPECT_EQ(line.getObjectType(), UNDEFINED_OBJECT);
    EXPECT_EQ(line.getId(), "walk");
    EXPECT_EQ(line.getZindex(), 3.0f);
    EXPECT_FALSE(line.getVisibleFlag());
    EXPECT_EQ(line.getLineWidth(), 100.0f);
    EXPECT_EQ(line.getColor().get()[0], 1.0f);
    EXPECT_EQ(line.getCapType(), 1);
    EXPECT_EQ(line.getJoinType(), 2);
    EXPECT_EQ(line.getVerticesNum(), 0) << "built at registration";

    ASSERT_TRUE(line.registrateUserData());
    EXPECT_EQ(line.getVerticesNum(), 22);
    line.setJoinFactor(std::vector<float>(line.getIndex().size(), 1.0f));
    ASSERT_TRUE(line.registrateUserData());
    EXPECT_EQ(line.getVerticesNum(), 22) << "registration starts afresh";
    EXPECT_TRUE(line.getJoinFactor().empty());

    line.setUserVertices({0, 0, 100, 0, 100, 100});
    ASSERT_TRUE(line.registrateUserData());
    EXPECT_EQ(line.getVerticesNum(), 26);
    line.clear();
    EXPECT_EQ(line.getVerticesNum(), 0);
    EXPECT_TRUE(line.getIndex().empty());
    EXPECT_TRUE(line.getExtrude().empty());
}

TEST(GLLinePolygonObjectTest, PointsNearTheTileEdgesAreOnTheQuadLine) {
    GLLinePolygonObject line(POLYGON_LINE_OBJECT);
    line.setTileRegion(at(10000, 20000), at(30000, 40000));
    EXPECT_TRUE(line.checkQuadOnLine(at(10400, 30000)));
    EXPECT_TRUE(line.checkQuadOnLine(at(20000, 39600)));
    EXPECT_TRUE(line.checkQuadOnLine(at(30500, 30000)));
    EXPECT_FALSE(line.checkQuadOnLine(at(20000, 30000)));
    EXPECT_FALSE(line.checkQuadOnLine(at(10501, 20501)));
}
