#ifndef TOLKMAPS_DRAW_GLPOLYGONBASEOBJECT_H
#define TOLKMAPS_DRAW_GLPOLYGONBASEOBJECT_H

#include <array>
#include <memory>
#include <vector>

#include "GLLinePolygonObject.h"
#include "GLObject.h"

namespace qiv {

// Base of filled objects (polygons, circles, ground overlays): the fill
// colour and, for application objects, an outline stroke drawn as extruded
// line objects owned by the polygon.
class GLPolygonBaseObject : public GLObject {
public:
    using GLObject::GLObject;

    // Fill colour from 4 floats 0 .. 255 (divided by 255).
    virtual void setUserColor(const float color[4]);
    // Stroke colour, 4 floats 0 .. 255, kept undivided; the stroke is
    // enabled when its alpha is not 0. The stroke objects are rebuilt, so
    // that a stroke turned on after creation appears.
    virtual void setUserStrokeColor(const float color[4]);
    // Stores the width and rebuilds the stroke objects (none for width 0).
    virtual void setUserStrokeWidth(float width);
    // Filled with a repeated icon pattern instead of a colour.
    virtual bool isPolygonTexture() const;

    using GLObject::setColor;
    // The base behaviour; the has-colour flag follows the pointer (the
    // record form arrives here too).
    void setColor(const std::shared_ptr<float>& color) override;
    // Stores the z-index; every stroke object is drawn 0.1 above it.
    void setZindex(float zIndex) override;
    bool isColor() const override;
    // Also shows or hides the stroke objects.
    void setUserVisible(bool visible) override;

    // Rebuilds the stroke objects over the object's outline rings.
    virtual void updateUserStroke();

    const std::vector<std::shared_ptr<GLLinePolygonObject>>& getStrokeObjects() const {
        return m_strokeObjects;
    }
    bool isStrokeEnabled() const { return m_strokeEnabled; }
    float getStrokeWidth() const { return m_strokeWidth; }
    // 0 .. 255.
    const std::array<float, 4>& getStrokeColor() const { return m_strokeColor; }

protected:
    static constexpr float STROKE_Z_OFFSET = 0.1f;

    // Replaces the stroke objects with one line per ring (flat x, y, closed
    // by the caller) when the stroke width is above 0 and its alpha not 0;
    // otherwise leaves none.
    void rebuildStrokes(const std::vector<const std::vector<double>*>& rings);
    // Stroke from the colour and width given at initialization.
    void storeStroke(const float color[4], float width);

    bool m_hasColor = false;
    std::array<float, 4> m_strokeColor{};
    bool m_strokeEnabled = false;
    float m_strokeWidth = 0.0f;
    std::vector<std::shared_ptr<GLLinePolygonObject>> m_strokeObjects;
    bool m_polygonTexture = false;
};

}  // namespace qiv

#endif
