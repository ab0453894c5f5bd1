#ifndef TOLKMAPS_DRAW_GLQUADTEXTMODEL_H
#define TOLKMAPS_DRAW_GLQUADTEXTMODEL_H

#include "GLQuadPointModel.h"

namespace qiv {

// The text sprites of one tile and atlas image.
class GLQuadTextModel : public GLQuadPointModel {};

}  // namespace qiv

#endif
