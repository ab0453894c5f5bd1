#ifndef TOLKMAPS_TESTS_DRAW_MAPTILEFIXTURE_H
#define TOLKMAPS_TESTS_DRAW_MAPTILEFIXTURE_H

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../../Model/Design/DesignTestSupport.h"
#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataLn4.h"
#include "K7DataLng.h"
#include "K7DataPgg.h"
#include "K7DataQak.h"
#include "UnitConvertor.h"

// Encoded-and-decoded map tiles for the organizer and draw controller tests:
// the tile is built with the record library, encoded and decoded again, so
// the tests read exactly what a tile from the map service gives.
namespace map_tile {

using design_test::groupOf;
using design_test::record;

// A world point as fractions (0 .. 1) of a tile's square.
struct TilePoint {
    double u;
    double v;
};

// World coordinates of a point given as fractions of the tile's square.
inline std::pair<double, double> worldPoint(const std::string& key, TilePoint point) {
    double x = 0.0;
    double y = 0.0;
    qiv::UnitConvertor::QuadKey2FourByte(key, &x, &y);
    const double side = qiv::UnitConvertor::getQuadSize(static_cast<int>(key.size()));
    return {x + point.u * side, y + point.v * side};
}

inline K7DataLn4* coordinates(const std::string& key, std::initializer_list<TilePoint> points) {
    auto* line = new K7DataLn4();
    for (const TilePoint& point : points) {
        const auto [x, y] = worldPoint(key, point);
        line->editContents().addCoord(x, y);
    }
    return line;
}

// Two triangles covering the rectangle (u0, v0) .. (u1, v1) of the tile.
inline K7DataLn4* rectangle(const std::string& key, double u0, double v0, double u1, double v1) {
    return coordinates(key, {{u0, v0}, {u0, v1}, {u1, v1}, {u1, v1}, {u0, v0}, {u1, v0}});
}

// An area design group: its design name and its triangle lists.
inline K7DataPgg* areaGroup(const std::string& design, std::initializer_list<K7DataBase*> lists) {
    return groupOf<K7DataPgg>({record<K7DataDcn>(design), groupOf(lists)});
}

// A line design group: its design name and its lines.
inline K7DataLng* lineGroup(const std::string& design, std::initializer_list<K7DataBase*> lines) {
    return groupOf<K7DataLng>({record<K7DataDcn>(design), groupOf(lines)});
}

// A tile as the service sends it: the header with the key (none when
// `withKey` is false), the body with the indoor, background, ground and
// point sections.
inline std::unique_ptr<K7DataCtg> tile(const std::string& key,
                                       std::initializer_list<K7DataBase*> background,
                                       std::initializer_list<K7DataBase*> ground,
                                       bool withKey = true) {
    K7DataCtg built;
    built.addContents(withKey ? groupOf({record<K7DataQak>(key)}) : groupOf({}));
    built.addContents(groupOf({groupOf({}), groupOf(background), groupOf(ground), groupOf({})}));
    const char* bytes = built.getBinary();
    auto decoded = std::make_unique<K7DataCtg>();
    decoded->setBinaryBounded(bytes, built.getSizeAll());
    return decoded;
}

// A tile of one ground area over its whole square.
inline std::unique_ptr<K7DataCtg> filledTile(const std::string& key, const std::string& design) {
    return tile(key, {}, {areaGroup(design, {rectangle(key, 0, 0, 1, 1)})});
}

inline std::array<float, 4> unitColor(const _K7D_STR_COLOR& color) {
    return {color.r / 255.0f, color.g / 255.0f, color.b / 255.0f, color.a / 255.0f};
}

}  // namespace map_tile

#endif
