#ifndef TOLKMAPS_TESTS_RENDER_FIXTURETILE_H
#define TOLKMAPS_TESTS_RENDER_FIXTURETILE_H

#include <string>
#include <utility>
#include <vector>

#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataLn4.h"
#include "K7DataLng.h"
#include "K7DataPgg.h"
#include "K7DataQak.h"
#include "UnitConvertor.h"

// A map tile for render tests, in the layout the kit draws: a header with the
// quad key and a body of four sections (indoor, background, ground, points).
// Areas and lines go into the ground section, one design group per call, in
// call order. World units: x east, y north, 0 .. 2^32.
class FixtureTile {
public:
    using WorldPoint = std::pair<double, double>;

    explicit FixtureTile(const std::string& quadKey) : m_quadKey(quadKey) {
        auto* header = new K7DataCtg();
        auto* key = new K7DataQak();
        key->editContents() = quadKey;
        header->addContents(key);
        m_root.addContents(header);
        auto* body = new K7DataCtg();
        for (int section = 0; section < 4; ++section) {
            m_sections[section] = new K7DataCtg();
            body->addContents(m_sections[section]);
        }
        m_root.addContents(body);
    }
    FixtureTile(const FixtureTile&) = delete;
    FixtureTile& operator=(const FixtureTile&) = delete;

    const std::string& quadKey() const { return m_quadKey; }

    // South-west corner and side of the tile's square.
    double west() const { return corner().first; }
    double south() const { return corner().second; }
    double side() const { return qiv::UnitConvertor::getQuadSize(int(m_quadKey.size())); }

    // An area of `category` over a world rectangle, as two triangles.
    FixtureTile& area(const std::string& category, double west, double south, double east,
                      double north) {
        auto* triangles = new K7DataLn4();
        for (const WorldPoint& p : std::vector<WorldPoint>{{west, south},
                                                           {west, north},
                                                           {east, north},
                                                           {east, north},
                                                           {east, south},
                                                           {west, south}}) {
            triangles->editContents().addCoord(uint32_t(p.first), uint32_t(p.second));
        }
        addGroup(new K7DataPgg(), category, triangles);
        return *this;
    }

    // An area of `category` over the tile's whole square.
    FixtureTile& fill(const std::string& category) {
        return area(category, west(), south(), west() + side() - 1, south() + side() - 1);
    }

    // A line of `category` through the points.
    FixtureTile& line(const std::string& category, const std::vector<WorldPoint>& points) {
        auto* polyline = new K7DataLn4();
        for (const WorldPoint& p : points)
            polyline->editContents().addCoord(uint32_t(p.first), uint32_t(p.second));
        addGroup(new K7DataLng(), category, polyline);
        return *this;
    }

    // The tile's record tree; it stays owned by this object.
    K7DataCtg& record() { return m_root; }

    // The encoded tile, as the service stores and sends it.
    std::string bytes() {
        const char* binary = m_root.getBinary();
        return std::string(binary, m_root.getSizeAll());
    }

private:
    static constexpr int kGroundSection = 2;

    std::pair<double, double> corner() const {
        double x = 0;
        double y = 0;
        qiv::UnitConvertor::QuadKey2FourByte(m_quadKey, &x, &y);
        return {x, y};
    }

    void addGroup(K7DataGroup* group, const std::string& category, K7DataLn4* geometry) {
        auto* name = new K7DataDcn();
        name->editContents() = category;
        group->addContents(name);
        auto* records = new K7DataCtg();
        records->addContents(geometry);
        group->addContents(records);
        m_sections[kGroundSection]->addContents(group);
    }

    std::string m_quadKey;
    K7DataCtg m_root;
    K7DataCtg* m_sections[4] = {};
};

#endif
