#ifndef TOLKMAPS_DRAW_POLYGONDATA_H
#define TOLKMAPS_DRAW_POLYGONDATA_H

namespace qiv {

// One coloured vertex as uploaded to a vertex buffer (32 bytes).
struct PolygonData {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
    float unused = 0.0f;
};

static_assert(sizeof(PolygonData) == 32, "PolygonData is uploaded as 32 bytes");

}  // namespace qiv

#endif
