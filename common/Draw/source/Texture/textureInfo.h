#ifndef TOLKMAPS_DRAW_TEXTUREINFO_H
#define TOLKMAPS_DRAW_TEXTUREINFO_H

namespace qiv {

// One icon inside an icon atlas texture. The sprite square is the icon's
// larger side x sqrt(2), centred on the icon, so that a rotated icon never
// leaves it; the atlas sprite program clips back to the icon using `aspect`.
struct textureInfo {
    int texture = -1;      // GL name of the atlas; -1 when the icon is unknown
    int unit = 0;          // GL_TEXTURE0.. the atlas was bound to at creation
    float offsetU = 0.0f;  // top-left of the sprite square in the atlas, 0 .. 1
    float offsetV = 0.0f;
    float sizeU = 0.0f;  // side of the sprite square in atlas units
    float sizeV = 0.0f;
    float iconSize = 0.0f;   // side of the sprite square in pixels
    float atlasSize = 0.0f;  // atlas height in pixels
    float aspect = 0.0f;     // icon height / width
    float offsetX = 0.0f;    // pixel offsets inside a label's icon block
    float offsetY = 0.0f;

    bool operator==(const textureInfo& other) const {
        return texture == other.texture && unit == other.unit && offsetU == other.offsetU &&
               offsetV == other.offsetV && sizeU == other.sizeU && sizeV == other.sizeV &&
               iconSize == other.iconSize && atlasSize == other.atlasSize &&
               aspect == other.aspect && offsetX == other.offsetX && offsetY == other.offsetY;
    }
    bool operator!=(const textureInfo& other) const { return !(*this == other); }
};

}  // namespace qiv

#endif
