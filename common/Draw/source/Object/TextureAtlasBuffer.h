#ifndef TOLKMAPS_DRAW_TEXTUREATLASBUFFER_H
#define TOLKMAPS_DRAW_TEXTUREATLASBUFFER_H

#include <memory>

#include "BaseBuffer.h"
#include "PointObjectData.h"

namespace qiv {

// Vertex buffer of point sprites (56-byte stride): all label or icon sprites
// of one tile and atlas image, drawn with one call.
class TextureAtlasBuffer : public BaseBuffer<PointObjectData> {
public:
    using BaseBuffer<PointObjectData>::update;
    // Uploads the first `count` records of the array (GL_STATIC_DRAW) and
    // remembers the count; a negative count or a null array uploads nothing.
    void update(const std::shared_ptr<PointObjectData>& records, int count);
    // Records uploaded by the last update with an array.
    int getCount() const { return m_count; }

private:
    int m_count = 0;
};

}  // namespace qiv

#endif
