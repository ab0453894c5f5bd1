#ifndef TOLKMAPS_DRAW_GLLINEPOLYGONOBJECT_H
#define TOLKMAPS_DRAW_GLLINEPOLYGONOBJECT_H

#include <string>
#include <vector>

#include "CoordTypes.h"
#include "GLPolylineObject.h"

namespace qiv {

// A line extruded into triangles: per vertex a position on the centre line,
// a unit extrude vector (the program scales it by the line width), a side
// (0, 0) left, (0, 1) right or (0, 0.5) centre, and the distance along the
// line. Each point gets four vertices whose strip forms the segment quads and
// a bevel join; open lines end in round caps (half discs). Several lines may
// be added to one object (a design group of a tile); all share the 16-bit
// index list, so an object holds at most 65536 vertices and a line that
// would not fit is refused.
class GLLinePolygonObject : public GLPolylineObject {
public:
    // Points of one line that are used; further points are ignored.
    static constexpr int MAX_POINTS = 16000;
    // Rim vertices of a round cap.
    static constexpr int CAP_SEGMENTS = 6;
    // Distance from a tile edge, in world units, within which a point counts
    // as lying on the tile border.
    static constexpr double QUAD_EDGE_MARGIN = 500.0;

    // An application line or polygon stroke (kind 15).
    GLLinePolygonObject() = default;
    // A map line of the given kind (12).
    explicit GLLinePolygonObject(int type);

    // Application line: z-index, id and vertices (flat world x, y), visible
    // flag, width, colour (4 floats 0 .. 255), cap and join kinds; true.
    bool initialize(const std::string& id, float zIndex, const std::vector<double>& vertices,
                    const float color[4], int cap, int join, bool visible, float width);

    // Empties the vertices, every attribute array and the index list.
    void clear() override;
    // Rebuilds the extrusion of the application vertices (setVertices with
    // a "ln4" record appends the record's line instead); answers whether any
    // vertex was added.
    bool registrateUserData() override;
    // Appends the extrusion of a line (world units); answers whether any
    // vertex was added. A line that would overflow the 16-bit indices is
    // refused with a warning.
    bool isVisibleRegion(const GeoDataLine& line) override;
    // The same for flat x, y values.
    bool isVisibleRegion(const std::vector<double>& flatXY);
    // Whether the line's extrusion still fits this object's 16-bit indices
    // (a line that builds nothing fits); when not, start a new object.
    bool canAppend(const GeoDataLine& line) const;

    // Appends a half disc at `point` bulging towards `direction` (a unit
    // vector): a centre vertex and `segments` rim vertices, segments - 1
    // triangles. Nothing for 2 segments or fewer.
    void addRoundCap(GLCoord& point, GLCoord& direction, float distanceSoFar, int segments);
    // Within QUAD_EDGE_MARGIN of an edge of the line's tile.
    bool checkQuadOnLine(const GLCoord& point) const;

    // The new colour is the four values (0 .. 255) divided by 255.
    void setUserColor(const float color[4]);
    // South-west and north-east corners of the tile the line belongs to.
    void setTileRegion(const GLCoord& southWest, const GLCoord& northEast);
    // Bounding box of the application vertices (world units), kept for hit tests.
    void setUserBoundingBox(const BoundingBox4& box);
    const BoundingBox4& getUserBoundingBox() const { return m_userBox; }
    void setCapType(int cap) { m_capType = cap; }
    int getCapType() const { return m_capType; }
    void setJoinType(int join) { m_joinType = join; }
    int getJoinType() const { return m_joinType; }

    // Two floats per vertex.
    const std::vector<float>& getExtrude() const { return m_extrude; }
    // Two floats per vertex.
    const std::vector<float>& getSide() const { return m_side; }
    // One float per vertex: distance along the line from its first point.
    const std::vector<float>& getLineSofar() const { return m_lineSofar; }
    // One factor per index (see the organizer's join factors).
    void setJoinFactor(const std::vector<float>& factors) { m_joinFactor = factors; }
    const std::vector<float>& getJoinFactor() const { return m_joinFactor; }

private:
    // The points a line contributes: at most MAX_POINTS, consecutive repeats
    // dropped; closed when its first and last points are equal.
    struct Outline {
        std::vector<GLCoord> points;
        bool closed = false;
    };
    static Outline readLine(const GeoDataLine& line);
    // Vertices the extrusion of the outline adds; 0 when it builds nothing.
    static size_t vertexCount(const Outline& outline);
    // Appends the strip of an outline that builds something, with its caps.
    void addExtrusion(const Outline& outline);
    // The last two vertices of the strip being built.
    struct Walk {
        uint16_t strip[2] = {0, 0};
        int count = 0;
    };
    // Reserves the arrays for `vertices` more vertices.
    void reserveVertices(size_t vertices);
    // Whether `vertices` more vertices still have 16-bit indices.
    bool hasRoomFor(size_t vertices) const;
    // Appends one vertex; answers its index.
    uint16_t addVertex(const GLCoord& point, double extrudeX, double extrudeY, float sideY,
                       float distanceSoFar);
    // Appends the four vertices of one point and their strip triangles.
    void addJoinVertices(Walk& walk, const GLCoord& point, const GLCoord& previousDirection,
                         const GLCoord& nextDirection, float distanceSoFar);
    void addStripVertex(Walk& walk, uint16_t vertex);

    std::vector<float> m_extrude;
    std::vector<float> m_side;
    std::vector<float> m_lineSofar;
    std::vector<float> m_joinFactor;
    GLCoord m_tileSouthWest;
    GLCoord m_tileNorthEast;
    BoundingBox4 m_userBox;
    int m_capType = 0;
    int m_joinType = 0;
};

}  // namespace qiv

#endif
