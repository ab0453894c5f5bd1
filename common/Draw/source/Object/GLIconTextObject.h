#ifndef TOLKMAPS_DRAW_GLICONTEXTOBJECT_H
#define TOLKMAPS_DRAW_GLICONTEXTOBJECT_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CoordTypes.h"
#include "GLObject.h"
#include "TextAtlasInfo.h"
#include "textureInfo.h"

class K7DataIu1;
template <typename T>
class K7DataPoint;

namespace qiv {

// A label: icons stacked around an anchor and at most one text, drawn as
// point sprites from atlases. Its vertex is the anchor in world units
// rebased on the frame origin; the boxes are in screen pixels (y down)
// around the anchor's screen position. k below is depth factor x resolution
// factor, the label's pixel scale. Map labels live for one frame (label
// organizer); application labels are kept by the user object controller.
class GLIconTextObject : public GLObject {
public:
    // Texts stand centred on the anchor, right, left, above or below the icons.
    enum TextPosition : int { TEXT_CENTER = 0, TEXT_RIGHT = 1, TEXT_LEFT = 2, TEXT_TOP = 3,
                              TEXT_BOTTOM = 4 };
    // Gap in pixels (before scaling by k) between the icon block and the text.
    static constexpr double TEXT_GAP = 3.0;

    // A label of kind 7.
    GLIconTextObject();

    // Application label. Sets the application flag; the rest happens only
    // when one of the four lists holds exactly one element: id, z-index and
    // vertex (x, y), icons and text, visible flag, angle (bearing), text
    // position and icon scale. Answers whether it happened.
    bool initialize(const std::string& id, float zIndex, const double position[2],
                    std::vector<K7DataIu1>* textImages, std::vector<_TextAtlasInfo>* textAtlasList,
                    int textPosition, std::vector<_TextAtlasInfo>* iconAtlasList,
                    std::vector<K7DataIu1>* iconImages, float bearing, bool visible,
                    float iconScale);
    // Releases the vertex and the anchor, empties the text pixel offsets;
    // vertex count 0, not visible.
    void clear() override;

    using GLObject::setVertices;

    // Map label vertex from a "pt4" record: the point (truncated) must lie in
    // the visible box; the vertex is (x - offset x, y - offset y, 10).
    bool setVertices(K7DataPoint<uint32_t>* point);
    // Application label vertex from flat x, y (at least two values), z 0.
    bool setVertices(const std::vector<double>& position);
    // Application anchor (world x, y) as the user vertices.
    void setUserAnchor(double x, double y);
    // The anchor in screen pixels.
    void setAnchorPoint(const std::shared_ptr<GLCoord>& anchor);
    // Copies the icons (with their pixel offsets) and computes the icon box.
    bool setIconInformation(const std::vector<textureInfo>& icons);
    // Union of the icon squares around the anchor; false without anchor or icons.
    bool calculateIconBoundingBox();
    // Width (largest k x w) and height (sum of k x h) of the text placements.
    void getTextBBoxSize(double& width, double& height) const;
    // Computes the first placement's pixel offset and the text box; false
    // without placements.
    bool calculateTextPixelOffset();
    // Pixel offset (x, y) of a placement w x h by the text position: centred
    // on the anchor, right or left of the icon block, or above or below it,
    // TEXT_GAP x k away; a later placement stacks half its height below the
    // previous offset. iconWidth and textHeight are whole pixels.
    std::shared_ptr<float> getTextOffset(int iconWidth, double iconHeight, int textHeight,
                                         double w, double h, const float previous[2]) const;
    // Text rectangle from the pixel offsets; false without offsets.
    bool calculateTextBoundingBox();
    // Keeps the application's text atlas; the first placement is the text.
    // An empty list drops the text (its old atlas is freed by the caller).
    void updateUserText(std::vector<K7DataIu1>* textImages,
                        std::vector<_TextAtlasInfo>* textAtlasList);
    // Keeps the application's icon atlas and rebuilds the icon list from it.
    // An empty list drops the icons (their old atlas is freed by the caller).
    void updateUserIcon(std::vector<K7DataIu1>* iconImages,
                        std::vector<_TextAtlasInfo>* iconAtlasList);
    // Appends the sprite squares of the atlas placements (x, y, w, h pixels)
    // on an atlas of side atlasSize; placements without area, or an atlas
    // side below 1, give none.
    static void convertUserIconList(const std::vector<_TextAtlasInfo>& placements, int atlasSize,
                                    std::vector<textureInfo>& out);
    // Ten values: the closed ring of the label's rotated box in world units.
    void setUserPointBoundingBox4(const std::vector<double>& box);

    // Setters and getters of the label state used by the label organizer.
    const std::shared_ptr<GLCoord>& getAnchorPoint() const { return m_anchor; }
    // x, y, z floats; empty until setVertices succeeds.
    const std::shared_ptr<float>& getVertex() const { return m_vertex; }
    const std::vector<textureInfo>& getIconInformation() const { return m_iconInfo; }
    // left, top, width, height in screen pixels.
    const double* getIconBoundingBox() const { return m_iconBox; }
    const double* getTextBoundingBox() const { return m_textBox; }
    const std::vector<double>& getUserPointBoundingBox4() const { return m_hitBox; }
    void setKey(const std::string& key) { m_key = key; }
    const std::string& getKey() const { return m_key; }
    void setObjectId(uint64_t objectId) { m_objectId = objectId; }
    uint64_t getObjectId() const { return m_objectId; }
    void addTextAtlasInfo(const _TextAtlasInfo& placement) { m_textAtlasInfo.push_back(placement); }
    const std::vector<_TextAtlasInfo>& getTextAtlasInfo() const { return m_textAtlasInfo; }
    const std::vector<std::shared_ptr<float>>& getTextPixelOffsets() const {
        return m_textPixelOffsets;
    }
    void setResolutionFactor(double factor) { m_resolutionFactor = factor; }
    double getResolutionFactor() const { return m_resolutionFactor; }
    void setDepthFactor(double factor) { m_depthFactor = factor; }
    double getDepthFactor() const { return m_depthFactor; }
    void setAtlasNo(uint16_t atlasNo) { m_atlasNo = atlasNo; }
    uint16_t getAtlasNo() const { return m_atlasNo; }
    unsigned char* getTextAtlasPixels() const { return m_textAtlasPixels; }
    int getTextAtlasSize() const { return m_textAtlasSize; }
    unsigned char* getIconAtlasPixels() const { return m_iconAtlasPixels; }
    int getIconAtlasSize() const { return m_iconAtlasSize; }
    void setAngle(float degrees) { m_angle = degrees; }
    float getAngle() const { return m_angle; }
    void setTextPosition(int position) { m_textPosition = position; }
    int getTextPosition() const { return m_textPosition; }
    bool isUserObject() const { return m_isUser; }
    void setIconBufferIndex(int index) { m_iconBufferIndex = index; }
    int getIconBufferIndex() const { return m_iconBufferIndex; }
    void setTextBufferIndex(int index) { m_textBufferIndex = index; }
    int getTextBufferIndex() const { return m_textBufferIndex; }
    void setForce(bool force) { m_force = force; }
    bool isForce() const { return m_force; }
    void setIconScale(float scale) { m_iconScale = scale; }
    float getIconScale() const { return m_iconScale; }
    const std::vector<textureInfo>& getUserIconList() const { return m_userIconList; }
    std::vector<K7DataIu1>* getTextImages() const { return m_textImages; }
    std::vector<_TextAtlasInfo>* getTextAtlasList() const { return m_textAtlasList; }
    std::vector<_TextAtlasInfo>* getIconAtlasList() const { return m_iconAtlasList; }
    std::vector<K7DataIu1>* getIconImages() const { return m_iconImages; }

private:
    // depth factor x resolution factor.
    double scale() const { return m_depthFactor * m_resolutionFactor; }
    // Stores the rebased vertex after the visible-box test of (x, y).
    bool placeVertex(double x, double y, float z);

    std::shared_ptr<GLCoord> m_anchor;
    std::shared_ptr<float> m_vertex;
    std::vector<textureInfo> m_iconInfo;
    double m_iconBox[4] = {0.0, 0.0, 0.0, 0.0};
    double m_textBox[4] = {0.0, 0.0, 0.0, 0.0};
    std::vector<double> m_hitBox;
    std::string m_key;
    uint64_t m_objectId = 0;
    std::vector<_TextAtlasInfo> m_textAtlasInfo;
    std::vector<std::shared_ptr<float>> m_textPixelOffsets;
    double m_resolutionFactor = 1.0;
    double m_depthFactor = 1.0;
    uint16_t m_atlasNo = 0;
    unsigned char* m_textAtlasPixels = nullptr;
    int m_textAtlasSize = 0;
    unsigned char* m_iconAtlasPixels = nullptr;
    int m_iconAtlasSize = 0;
    float m_angle = 0.0f;
    int m_textPosition = TEXT_CENTER;
    bool m_isUser = false;
    int m_iconBufferIndex = -1;
    int m_textBufferIndex = -1;
    bool m_force = false;
    float m_iconScale = 1.0f;
    std::vector<textureInfo> m_userIconList;
    std::vector<K7DataIu1>* m_textImages = nullptr;
    std::vector<_TextAtlasInfo>* m_textAtlasList = nullptr;
    std::vector<_TextAtlasInfo>* m_iconAtlasList = nullptr;
    std::vector<K7DataIu1>* m_iconImages = nullptr;
};

}  // namespace qiv

#endif
