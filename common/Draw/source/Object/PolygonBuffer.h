#ifndef TOLKMAPS_DRAW_POLYGONBUFFER_H
#define TOLKMAPS_DRAW_POLYGONBUFFER_H

#include "BaseBuffer.h"
#include "PolygonData.h"

namespace qiv {

// Vertex buffer of coloured vertices (32-byte stride).
class PolygonBuffer : public BaseBuffer<PolygonData> {};

}  // namespace qiv

#endif
