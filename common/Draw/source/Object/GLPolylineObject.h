#ifndef TOLKMAPS_DRAW_GLPOLYLINEOBJECT_H
#define TOLKMAPS_DRAW_GLPOLYLINEOBJECT_H

#include <cstdint>
#include <vector>

#include "GLObject.h"

namespace qiv {

// A line object: a 16-bit index list over its vertices and a line width.
class GLPolylineObject : public GLObject {
public:
    static constexpr float MIN_LINE_WIDTH = 0.1f;
    static constexpr float MAX_LINE_WIDTH = 100.0f;

    using GLObject::GLObject;

    // Refuses a negative width (false, width unchanged); otherwise stores it
    // clamped to [0.1, 100]; true.
    virtual bool setLineWidth(float width);
    virtual float getLineWidth() const;

    // Indices into the vertices, three per triangle for extruded lines.
    const std::vector<uint16_t>& getIndex() const { return m_index; }

protected:
    std::vector<uint16_t> m_index;
    float m_lineWidth = 1.0f;
};

}  // namespace qiv

#endif
