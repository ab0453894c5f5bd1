#ifndef TOLKMAPS_DRAW_CIRCLESHADER_H
#define TOLKMAPS_DRAW_CIRCLESHADER_H

#include "BaseShader.h"

namespace qiv {

// Triangles with a colour per vertex ("aColor").
class CircleShader : public BaseShader {
public:
    CircleShader();
    bool initializeProgram() override;

    GLint getColorID() const { return m_color; }

private:
    GLint m_color = -1;
};

}  // namespace qiv

#endif
