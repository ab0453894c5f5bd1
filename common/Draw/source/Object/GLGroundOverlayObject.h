#ifndef TOLKMAPS_DRAW_GLGROUNDOVERLAYOBJECT_H
#define TOLKMAPS_DRAW_GLGROUNDOVERLAYOBJECT_H

#include <memory>
#include <string>
#include <vector>

#include "CoordTypes.h"
#include "GLPolygonObject.h"
#include "TexturedPolygonBuffer.h"

namespace qiv {

// An application image stretched over a world box and turned by a bearing
// about an anchor point of the image: two textured triangles (NW, SW, NE)
// and (NE, SW, SE). The image is RGBA in a power-of-two texture of which it
// covers the extent (s, t). Registering builds a new vertex buffer (render
// thread, GL context current); clear deletes it.
class GLGroundOverlayObject : public GLPolygonObject {
public:
    // An overlay of kind 5.
    GLGroundOverlayObject();

    // anchor: fractions of the image, t counted from its top (north);
    // pixels: RGBA bytes of the padded texture, owned by the caller;
    // width, height: the texture size; s, t: the image's extent in it;
    // bearing in degrees clockwise; box in world units.
    bool initialize(const std::string& id, float zIndex, const float anchor[2],
                    std::vector<unsigned char>* pixels, int width, int height, double s,
                    double t, float opacity, float bearing, BoundingBox4 box, bool visible);
    // Replaces the image; the has-alpha flag is set when any alpha byte is not 255.
    void setUserImage(std::vector<unsigned char>* pixels, int width, int height, double s,
                      double t);
    // Stores the bearing and turns the quad again from the stored box.
    void setUserBearing(float bearing);
    // Stores the box; the six points and the outline are built and turned.
    void setUserBoundingBox(BoundingBox4& box);
    // Takes effect at the next box or bearing change.
    void setUserAnchor(float s, float t);
    void setUserOpacity(float opacity);

    // Six points NW, SW, NE, NE, SW, SE (flat x, y).
    static std::vector<double> getPolygonsFromBBox(const BoundingBox4& box);
    // Turns the points (flat x, y) by -bearing degrees about the pivot at
    // the anchor (s from the west, t from the north) of their bounding box.
    static void calculateBearingModel(const std::vector<double>& points, std::vector<double>& out,
                                      float anchorS, float anchorT, float bearing);
    // Texture coordinates of the six points for an image extent (s, t).
    static std::vector<float> getTextureCoordforTriangles(double extentS, double extentT);

    void clear() override;
    // Has alpha, or an opacity other than 0.
    bool isTransparent() const override;
    // Rebuilds the six vertices (world units) and uploads them, rebased on
    // the offset, with their texture coordinates into a new buffer; true.
    bool registrateUserData() override;

    const std::shared_ptr<TexturedPolygonBuffer>& getBuffer() const { return m_buffer; }
    std::vector<unsigned char>* getPixels() const { return m_pixels; }
    int getTextureWidth() const { return m_textureWidth; }
    int getTextureHeight() const { return m_textureHeight; }
    float getOpacity() const { return m_opacity; }
    float getBearing() const { return m_bearing; }
    bool hasAlpha() const { return m_hasAlpha; }
    const BoundingBox4& getUserBoundingBox() const { return m_box; }
    // The turned six points (flat x, y).
    const std::vector<double>& getRotatedPoints() const { return m_userTriangles; }
    // The turned closed outline (five points, flat x, y).
    const std::vector<double>& getRotatedOutline() const { return m_userOutline; }
    const std::vector<float>& getTextureCoords() const { return m_textureCoords; }

private:
    void rotateModel();
    static bool hasTransparentPixel(const std::vector<unsigned char>* pixels);

    float m_anchor[2] = {0.5f, 0.5f};
    float m_bearing = 0.0f;
    float m_opacity = 1.0f;
    BoundingBox4 m_box;
    std::vector<unsigned char>* m_pixels = nullptr;
    int m_textureWidth = 0;
    int m_textureHeight = 0;
    double m_extentS = 0.0;
    double m_extentT = 0.0;
    std::vector<float> m_textureCoords;
    std::shared_ptr<TexturedPolygonBuffer> m_buffer;
    bool m_hasAlpha = false;
};

}  // namespace qiv

#endif
