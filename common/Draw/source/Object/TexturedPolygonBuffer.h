#ifndef TOLKMAPS_DRAW_TEXTUREDPOLYGONBUFFER_H
#define TOLKMAPS_DRAW_TEXTUREDPOLYGONBUFFER_H

#include "BaseBuffer.h"
#include "PolygonTextureData.h"

namespace qiv {

// Vertex buffer of textured vertices (20-byte stride): ground overlays and
// tile squares.
class TexturedPolygonBuffer : public BaseBuffer<PolygonTextureData> {};

}  // namespace qiv

#endif
