#ifndef TOLKMAPS_DRAW_POINTOBJECTDATA_H
#define TOLKMAPS_DRAW_POINTOBJECTDATA_H

#include <cstddef>

namespace qiv {

// One point sprite (an icon or a label text) as uploaded to a vertex buffer
// (56 bytes). The atlas point-sprite program reads the fields up to `angle`
// at the byte offsets checked below.
struct PointObjectData {
    float x = 0.0f;  // position relative to the frame origin
    float y = 0.0f;
    float z = 0.0f;
    float textureSizeU = 0.0f;  // side of the sprite square on the atlas, 0 .. 1
    float textureSizeV = 0.0f;  // the same value again
    float pointSize = 0.0f;     // sprite side in screen pixels
    float pixelOffsetX = 0.0f;  // screen pixels, y downward
    float pixelOffsetY = 0.0f;
    float textureOffsetU = 0.0f;  // top-left of the sprite square on the atlas, 0 .. 1
    float textureOffsetV = 0.0f;
    float aspect = 0.0f;  // height / width of the image inside the square
    float angle = 0.0f;   // degrees
    int reserved = 0;
    float atlasSize = 0.0f;  // atlas side in pixels
};

static_assert(sizeof(PointObjectData) == 56, "PointObjectData is uploaded as 56 bytes");
static_assert(offsetof(PointObjectData, textureSizeU) == 12, "TextureCoordPointSize at 12");
static_assert(offsetof(PointObjectData, pointSize) == 20, "pointSize at 20");
static_assert(offsetof(PointObjectData, pixelOffsetX) == 24, "pixelOffset at 24");
static_assert(offsetof(PointObjectData, textureOffsetU) == 32, "TextureCoordIn at 32");
static_assert(offsetof(PointObjectData, aspect) == 40, "aAspect at 40");
static_assert(offsetof(PointObjectData, angle) == 44, "azAngle at 44");

}  // namespace qiv

#endif
