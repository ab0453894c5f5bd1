#ifndef TOLKMAPS_DRAW_GLPOLYGONOBJECT_H
#define TOLKMAPS_DRAW_GLPOLYGONOBJECT_H

#include <string>
#include <vector>

#include "GLPolygonBaseObject.h"

class K7DataIcn;

namespace qiv {

// A filled polygon drawn as a triangle list (vertex triples, no index list).
// Map areas arrive as triangle lists already; application polygons keep
// their outline and holes, are triangulated when set, and are culled
// triangle by triangle against the visible box when registered. Holes are
// drawn as a stencil mask from their own triangle list.
class GLPolygonObject : public GLPolygonBaseObject {
public:
    // A polygon of kind 2.
    GLPolygonObject();
    // An object of another kind built on the polygon (ground overlays).
    explicit GLPolygonObject(int type);

    // Application polygon: outline and holes (flat world x, y), fill and
    // stroke colours (4 floats 0 .. 255), stroke width, visible flag. False
    // when the outline or a hole cannot be triangulated. The id is not kept:
    // the user object controller keys its map by it.
    bool initialize(const std::string& id, float zIndex, const std::vector<double>& outline,
                    const std::vector<std::vector<double>>& holes, const float fillColor[4],
                    const float strokeColor[4], float strokeWidth, bool visible);

    virtual void setTextTexture(unsigned char* pixels);
    // Pattern fill with the record's icon.
    virtual void setPolygonTexture(K7DataIcn* icon);
    virtual unsigned getTextureNo() const;

    // Empties the vertices and the hole vertex list.
    void clear() override;
    // Keeps the triangles of the registered outline that touch the visible
    // box; rebuilds the hole vertex list; answers whether any was kept.
    bool registrateUserData() override;
    // Outline (closed when open), triangulated; false when that fails.
    bool setUserVertices(const std::vector<double>& vertices) override;
    // A map area triangle list: every point triple is added. Nothing for a
    // point count that is not a positive multiple of 3; answers whether any
    // triangle was added.
    bool isVisibleRegion(const GeoDataLine& line) override;

    // Holes (each closed when open), triangulated; false when one fails.
    bool setUserInnerPolygons(const std::vector<std::vector<double>>& holes);
    // The hole vertex list: hole triangle points minus the integer offset.
    void registrateInnerPolygon();
    // Adds all points (a multiple of 3) without a visibility test.
    bool setVerticesNoCheckArea(const std::vector<GLCoord>& points);
    // Triangulates a ring (flat x, y); false for fewer than 3 points or when
    // no triangle results; otherwise the triangles' points, flat x, y.
    static bool convertTrianglePolygons(const std::vector<double>& ring,
                                        std::vector<double>& triangles);
    // Rebuilds the stroke objects over the outline and the holes.
    void updateUserStroke() override;

    // x, y, 0 floats per hole triangle point.
    const std::vector<float>& getInnerPolygonPoints() const { return m_innerPoints; }
    const std::vector<double>& getUserTriangles() const { return m_userTriangles; }
    const std::vector<double>& getUserOutline() const { return m_userOutline; }
    const std::vector<std::vector<double>>& getUserHoles() const { return m_userHoles; }
    unsigned char* getTextTexture() const { return m_textTexture; }

protected:
    // Adds one triangle (three consecutive x, y pairs from `flatXY` at `at`).
    void addTriangle(const std::vector<double>& flatXY, size_t at);
    // Whether the triangle at `at` (flat x, y) touches the visible box.
    bool isTriangleVisible(const std::vector<double>& flatXY, size_t at) const;
    // The ring, closed with its first point when its last differs.
    static std::vector<double> closeRing(const std::vector<double>& ring);

    std::vector<double> m_userOutline;
    std::vector<double> m_userTriangles;
    std::vector<std::vector<double>> m_userHoles;
    std::vector<std::vector<double>> m_holeTriangles;
    std::vector<float> m_innerPoints;
    unsigned m_textureNo = 0;
    unsigned char* m_textTexture = nullptr;
};

}  // namespace qiv

#endif
