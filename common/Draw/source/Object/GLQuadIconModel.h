#ifndef TOLKMAPS_DRAW_GLQUADICONMODEL_H
#define TOLKMAPS_DRAW_GLQUADICONMODEL_H

#include "GLQuadPointModel.h"

namespace qiv {

// Icon sprites.
class GLQuadIconModel : public GLQuadPointModel {};

}  // namespace qiv

#endif
