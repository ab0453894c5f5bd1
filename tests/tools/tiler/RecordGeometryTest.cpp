// Geometry into records: areas into whole triangles that keep their area,
// also where GEOS refuses a ring; long areas and lines split at the record
// limits, lines sharing the point where they were split.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "AreaTriangulator.h"
#include "GeosContext.h"
#include "LineSplitter.h"
#include "TilerTestRun.h"

namespace {

GeosContext::Geometry fromWkt(const GeosContext& geos, const std::string& wkt) {
    GEOSWKTReader* reader = GEOSWKTReader_create_r(geos.handle());
    auto geometry = geos.own(GEOSWKTReader_read_r(geos.handle(), reader, wkt.c_str()));
    GEOSWKTReader_destroy_r(geos.handle(), reader);
    return geometry;
}

// A ring of `count` points on a circle, as WKT.
std::string circle(const char* kind, int count, double radius) {
    std::ostringstream wkt;
    wkt.precision(12);
    wkt << kind << (std::string(kind) == "POLYGON" ? " ((" : " (");
    const int points = std::string(kind) == "POLYGON" ? count + 1 : count;
    for (int i = 0; i < points; ++i) {
        const double angle = 2 * M_PI * (i % count) / count;
        wkt << (i ? ", " : "") << 2e9 + radius * std::cos(angle) << " " << 2e9 + radius * std::sin(angle);
    }
    wkt << (std::string(kind) == "POLYGON" ? "))" : ")");
    return wkt.str();
}

double areaOf(const std::vector<std::vector<uint32_t>>& records) {
    double area = 0;
    for (const auto& list : records) {
        for (size_t i = 0; i + 5 < list.size(); i += 6) {
            const double ax = list[i], ay = list[i + 1], bx = list[i + 2], by = list[i + 3], cx = list[i + 4],
                         cy = list[i + 5];
            area += std::fabs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay)) / 2;
        }
    }
    return area;
}

}  // namespace

TEST(RecordGeometryTest, LakePartWhoseSliverHoleGeosRefusesIsStillTriangulated) {
    GeosContext geos;
    std::ifstream file(tilerFixture("lake_part_with_sliver_hole.wkt"));
    std::string wkt;
    std::getline(file, wkt);
    auto lake = fromWkt(geos, wkt);
    ASSERT_TRUE(lake);
    auto direct = geos.own(GEOSConstrainedDelaunayTriangulation_r(geos.handle(), lake.get()));
    EXPECT_FALSE(direct) << "GEOS now triangulates the fixture; it no longer tests the fallback";
    double area = 0;
    GEOSArea_r(geos.handle(), lake.get(), &area);
    std::vector<std::vector<uint32_t>> records;
    AreaTriangulator triangulator(geos);
    EXPECT_TRUE(triangulator.triangulate(lake.get(), records));
    EXPECT_NEAR(areaOf(records), area, area * 0.001);
}

TEST(RecordGeometryTest, LargeAreaSplitsIntoRecordsOfWholeTriangles) {
    GeosContext geos;
    auto disc = fromWkt(geos, circle("POLYGON", 12000, 1e6));
    double area = 0;
    GEOSArea_r(geos.handle(), disc.get(), &area);
    std::vector<std::vector<uint32_t>> records;
    AreaTriangulator triangulator(geos);
    ASSERT_TRUE(triangulator.triangulate(disc.get(), records));
    ASSERT_GE(records.size(), 3u) << "about 12000 triangles make more than two records";
    for (const auto& list : records) {
        const size_t points = list.size() / 2;
        EXPECT_EQ(points % 3, 0u);
        EXPECT_LE(points, AreaTriangulator::MAX_RECORD_POINTS);
    }
    EXPECT_NEAR(areaOf(records), area, area * 0.001);
}

TEST(RecordGeometryTest, LongLineSplitsIntoRecordsThatShareTheirJoiningPoints) {
    GeosContext geos;
    auto line = fromWkt(geos, circle("LINESTRING", 40000, 1e7));
    std::vector<std::vector<uint32_t>> records;
    LineSplitter(geos).split(line.get(), records);
    ASSERT_EQ(records.size(), 3u);
    size_t points = 0;
    for (size_t r = 0; r < records.size(); ++r) {
        EXPECT_LE(records[r].size() / 2, LineSplitter::MAX_RECORD_POINTS);
        points += records[r].size() / 2;
        if (r == 0) continue;
        const auto& previous = records[r - 1];
        EXPECT_EQ(records[r][0], previous[previous.size() - 2]) << "record " << r;
        EXPECT_EQ(records[r][1], previous[previous.size() - 1]) << "record " << r;
    }
    EXPECT_EQ(points, 40000u + records.size() - 1) << "every point once, the joining points twice";
}

TEST(RecordGeometryTest, LinesThatRoundToOnePointAreLeftOut) {
    GeosContext geos;
    auto lines = fromWkt(geos, "MULTILINESTRING ((10.1 10.2, 10.3 9.8, 9.9 10.1), (0 0, 0.2 0.1, 5 5, 5.2 5.1))");
    std::vector<std::vector<uint32_t>> records;
    LineSplitter(geos).split(lines.get(), records);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0], (std::vector<uint32_t>{0, 0, 5, 5}));
}
