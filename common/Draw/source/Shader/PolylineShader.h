#ifndef TOLKMAPS_DRAW_POLYLINESHADER_H
#define TOLKMAPS_DRAW_POLYLINESHADER_H

#include "BaseShader.h"

namespace qiv {

// Positions only, one colour per draw call ("vColor"); drawn as GL lines.
class PolylineShader : public BaseShader {
public:
    PolylineShader();
    bool initializeProgram() override;

    GLint getColorID() const { return m_color; }

private:
    GLint m_color = -1;
};

}  // namespace qiv

#endif
