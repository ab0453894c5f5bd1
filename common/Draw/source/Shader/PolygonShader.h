#ifndef TOLKMAPS_DRAW_POLYGONSHADER_H
#define TOLKMAPS_DRAW_POLYGONSHADER_H

#include "BaseShader.h"

namespace qiv {

// Filled triangles, one colour per draw call ("vColor").
class PolygonShader : public BaseShader {
public:
    PolygonShader();
    bool initializeProgram() override;

    GLint getColorID() const { return m_color; }

private:
    GLint m_color = -1;
};

}  // namespace qiv

#endif
