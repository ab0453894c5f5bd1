#ifndef TOLKMAPS_DRAW_POLYGONTEXTUREDATA_H
#define TOLKMAPS_DRAW_POLYGONTEXTUREDATA_H

namespace qiv {

// One textured vertex as uploaded to a vertex buffer (20 bytes): position
// relative to the frame origin, then texture coordinates.
struct PolygonTextureData {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float s = 0.0f;
    float t = 0.0f;

    bool operator==(const PolygonTextureData& other) const {
        return x == other.x && y == other.y && z == other.z && s == other.s && t == other.t;
    }
};

static_assert(sizeof(PolygonTextureData) == 20, "PolygonTextureData is uploaded as 20 bytes");

}  // namespace qiv

#endif
