#ifndef TOLKMAPS_DRAW_GLOBJECT_H
#define TOLKMAPS_DRAW_GLOBJECT_H

#include <memory>
#include <string>
#include <vector>

#include "CoordTypes.h"
#include "GeoDataLine.h"
#include "MapObjectType.h"

class K7DataLn4;
class K7DataLnc;

namespace qiv {

// Base of every drawable object: vertices in four-byte world units (x east,
// y north) as doubles, the same vertices rebased on the frame origin as
// floats for GL, a colour (RGBA 0 .. 1), a z-index (higher is in front) and
// the frame's visible box for the visibility tests. Objects hold no lock and
// no GL resource of their own; map objects are used on the render thread
// only, application objects under the user object controller's lock.
class GLObject {
public:
    GLObject() = default;
    // An object of the given kind (MapObjectType); reserves the float
    // vertices of a typical map object.
    explicit GLObject(int type);
    virtual ~GLObject();

    // Empties the vertex arrays (nothing in the base).
    virtual void clear();
    // Adds the vertices of a line record through isVisibleRegion and answers
    // its result; false for a null record.
    virtual bool setVertices(K7DataLn4* line);
    // The record's four colour bytes / 255; nothing for a null record.
    virtual void setColor(K7DataLnc* color);
    // Keeps the pointer (4 floats) and clamps its components in place to [0, 1].
    virtual void setColor(const std::shared_ptr<float>& color);
    // The frame origin in world units (application objects rebase on it).
    virtual void setOffset(unsigned x, unsigned y);
    virtual void setZindex(float zIndex);
    virtual void setUserVisible(bool visible);
    // Uploads vertex data to GL where the object keeps a buffer; nothing here.
    virtual void bind();
    virtual bool isColor() const;
    // A colour is set and its alpha is not exactly 1.
    virtual bool isTransparent() const;
    virtual MapObjectType getObjectType() const;
    // The vertices rebased by offsetPoint: x, y, z floats per vertex.
    virtual const std::vector<float>& getPoints() const;
    virtual bool getVisibleFlag() const;
    virtual int getVerticesNum() const;
    // RGBA 0 .. 1; empty until a colour is set.
    virtual std::shared_ptr<float> getColor() const;
    // Rebuilds the vertices of an application object against the visible
    // box; answers whether anything is visible. True in the base.
    virtual bool registrateUserData();
    virtual float getZindex() const;
    // The application's vertices, flat x, y in world units.
    virtual const std::vector<double>& getUserOriginalVertices() const;
    virtual void setPixelFactor(double pixelFactor);
    // Writes every vertex as (x - originX, y - originY, z) floats into the
    // offset points; nothing with fewer than 3 coordinates.
    virtual void offsetPoint(double originX, double originY);
    // Replaces the application's vertices (flat x, y world units).
    virtual bool setUserVertices(const std::vector<double>& vertices);
    // Adds the vertices of a line; answers whether any were added. The base
    // adds nothing and answers true.
    virtual bool isVisibleRegion(const GeoDataLine& line);

    // Stores the id and z-index; true.
    bool initialize(const std::string& id, float zIndex);
    // Stores both, then setUserVertices (vertices) through the virtual slot.
    bool initialize(const std::string& id, float zIndex, const std::vector<double>& vertices);

    // The frame's visible box in world units (component-wise min and max).
    void setVisibleRegion(const GLCoord& minimum, const GLCoord& maximum);
    const GLCoord& getVisibleMinimum() const { return m_visibleMin; }
    const GLCoord& getVisibleMaximum() const { return m_visibleMax; }

    // Inside the visible box, borders included.
    bool isVisibleRegionPoint(unsigned x, unsigned y) const;
    // The segment crosses one of the visible box's four edges.
    bool isVisibleRegionLine(float x1, float y1, float x2, float y2) const;
    // Intersection of segments AB and CD; false when parallel (collinear
    // overlaps included) or apart. Writes the crossing point when x, y are given.
    static bool CrossLine(const GLCoord& a, const GLCoord& b, const GLCoord& c, const GLCoord& d,
                          double* x, double* y);
    // Appends the world vertex (x, y, 0); the vertex count is the caller's.
    void addPoint(unsigned x, unsigned y);
    // Flat latitude, longitude pairs (degrees) to flat world x, y.
    static std::vector<double> convertLatLng2Fourbyte(const std::vector<double>& latLng);
    static double distance(const GLCoord& a, const GLCoord& b);
    // Unit vector from a to b (z 0); zero for equal points.
    static GLCoord normal(const GLCoord& a, const GLCoord& b);
    // Solves m * out = v (m row major) by Cramer's rule; false when singular.
    static bool calcMatrix(const double m[2][2], const double v[2], double out[2]);
    // At least two points (flat x, y) and the last equals the first.
    static bool isCloseObject2D(const std::vector<double>& points);

    // A new RGBA colour array of 4 floats.
    static std::shared_ptr<float> makeColor(float r, float g, float b, float a);
    // A world coordinate as an unsigned integer: truncated, clamped to the
    // unsigned range (so that the world's east and north edges stay valid).
    static unsigned toUnsigned(double coordinate);

    // The vertices in world units, x, y, 0 doubles per vertex.
    const std::vector<double>& getWorldPoints() const { return m_points; }
    const std::string& getId() const { return m_id; }
    double getOffsetX() const { return m_offset[0]; }
    double getOffsetY() const { return m_offset[1]; }
    double getPixelFactor() const { return m_pixelFactor; }

protected:
    // The segment crosses one of the visible box's four edges (in doubles:
    // floats lose whole pixels at deep zoom levels).
    bool crossesVisibleBox(const GLCoord& a, const GLCoord& b) const;
    // Drops the world and offset vertices; vertex count 0.
    void clearVertices();
    // The application vertices as a line (pairs; an odd trailing value ignored).
    static GeoDataLine toLine(const std::vector<double>& flatXY);

    std::shared_ptr<float> m_color;
    MapObjectType m_type = UNDEFINED_OBJECT;
    std::vector<double> m_points;
    std::vector<float> m_offsetPoints;
    int m_vertexCount = 0;
    double m_offset[2] = {0.0, 0.0};
    float m_zIndex = 0.0f;
    std::string m_id;
    std::vector<double> m_userVertices;
    bool m_visible = true;
    double m_pixelFactor = 0.0;
    GLCoord m_visibleMin;
    GLCoord m_visibleMax;
};

}  // namespace qiv

#endif
