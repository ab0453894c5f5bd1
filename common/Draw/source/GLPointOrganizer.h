#ifndef TOLKMAPS_DRAW_GLPOINTORGANIZER_H
#define TOLKMAPS_DRAW_GLPOINTORGANIZER_H

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "CoordTypes.h"
#include "K7D_STR_DFG.h"
#include "TextAtlasManager.h"
#include "textureInfo.h"

class K7DataBase;
class K7DataGroup;
class MaskArea;
template <typename T>
class K7DataPoint;

namespace qiv {

class BaseDesign;
class GLIconTextObject;
class GLObject;
class GLQuadIconModel;
class GLQuadPointModel;
class GLQuadTextModel;
class TextureAtlasBuffer;

// Places the icons and label texts of the visible tiles for one frame. Each
// label record ("mag") becomes one GLIconTextObject per label, styled by its
// design; labels are placed by ascending design priority on a collision
// bitmap (one bit per pixel, one screen beyond each edge) so that no two
// overlap, and the placed ones become point sprites: one text model per tile
// and atlas image, one icon model for all. Application labels go through the
// same placement with buffers of their own. Drawing thread only; buffers
// need the GL context current when they are fetched.
class GLPointOrganizer {
public:
    // Text sprites of one tile's atlas image.
    using TextModelKey = std::pair<std::string, uint16_t>;

    GLPointOrganizer();
    virtual ~GLPointOrganizer();
    GLPointOrganizer(const GLPointOrganizer&) = delete;
    GLPointOrganizer& operator=(const GLPointOrganizer&) = delete;

    // Drops the buffers of the application labels.
    virtual void clear();
    // Reads one record of a tile's label section; only "mag" records count.
    virtual void parsePointData(K7DataBase* record);
    // Forgets every label, sprite and atlas size of the frame.
    virtual void clearBuffer();
    // The quad key of the tile whose records come next.
    virtual void setKey(const std::string& key) { m_key = key; }
    // The side of every atlas image of every tile (the larger of width and height).
    virtual void setTextureAtlasImage(const AtlasImageMap& images);
    // Places the frame's labels by priority and writes the placed ones into
    // the sprite models.
    virtual void registratePointData();
    // The frame origin in world units (labels rebase their vertex on it).
    virtual void setNormalizePoint(double x, double y);
    // Icon images in the icon atlas by icon number.
    virtual void setTextureInformation(const std::map<unsigned, textureInfo>& info) { m_textureInfo = info; }
    // Placements of the frame's label texts by tile key; not owned, kept
    // until clearBuffer.
    virtual void setTextAtlasInformation(const AtlasPlacementMap* info) { m_textAtlasInfo = info; }
    // Pixel scale (dpi / 326).
    virtual void setResolutionFactor(double factor) { m_resolutionFactor = factor; }
    // The four corners of the visible region in world units.
    virtual void setVisibleRegion(const GLCoord* corners);
    // GL name of application text buffer i; 0 outside the list.
    virtual unsigned getUserTextBufferIDs(int index) const;
    virtual void parseIconTextData(K7DataGroup& record);

    // Starts a fresh collision bitmap for a surface of width x height pixels.
    void setOverlapArea(int width, int height);
    void setWindowSize(int width, int height);
    // World units per pixel along x and y.
    void setFragmentDistance(double x, double y);
    // Camera world position, bearing and tilt in degrees.
    void setCamera(const GLCoord& camera, double rotation, double tilt);
    // How much labels low on a tilted screen grow (0.8 by default).
    void setZfactorRate(double rate) { m_zFactorRate = rate; }
    void setDesignName(const std::string& name) { m_designName = name; }
    const std::string& getDesignName() const { return m_designName; }
    // Keeps labels off boxes given in world units (west, south, east, north).
    void reserveMaskArea(const std::vector<BoundingBox4>& boxes);

    // Sprite count and GL buffer (uploaded on this call) of a text model; 0
    // when the tile's atlas image has no placed label.
    int getTextBufferSize(const std::string& key, uint16_t image) const;
    unsigned getTextBufferID(const std::string& key, uint16_t image);
    // Sprite count and GL buffer of all placed icons.
    int getIconBufferSize() const;
    unsigned getIconBufferID();
    // The text models of the frame (sprite records as uploaded).
    const std::map<TextModelKey, std::shared_ptr<GLQuadTextModel>>& getTextModels() const { return m_textModels; }
    const std::shared_ptr<GLQuadIconModel>& getIconModel() const { return m_iconModel; }

    // Application label: registers it for this frame's placement; false when
    // it is not a label or is not visible.
    bool registrateUserPointData(const std::shared_ptr<GLObject>& object);
    // The placed application labels with their sprite buffers (indexes in
    // the labels); forgets the registered ones.
    std::vector<std::shared_ptr<GLIconTextObject>> getDrawableUserPoint();

    // Lays out the icons of a label in rows of five, centred on the anchor,
    // writing each icon's pixel offset.
    void calculateIconOffset(std::vector<textureInfo>& icons) const;

private:
    struct LabelStyle {
        float priority = 0.0f;
        std::optional<uint8_t> flagPosition;
    };
    // The records of one label that placement reads, found in one pass (the
    // first of each tag).
    struct LabelRecord {
        K7DataPoint<uint32_t>* point = nullptr;
        std::optional<float> angle;
        std::optional<uint8_t> position;
        bool station = false;
        std::optional<uint64_t> oid;
        std::optional<K7D_STR_DFG> flags;
    };

    std::vector<textureInfo> getIconList(K7DataGroup& record) const;
    const std::vector<BaseDesign*>& findDesigns(K7DataGroup& record) const;
    std::shared_ptr<GLIconTextObject> makeLabel() const;
    static LabelRecord readLabelRecord(K7DataGroup& group);
    bool placeLabel(GLIconTextObject& label, const LabelRecord& record, const std::vector<textureInfo>& icons);
    void setAnchor(GLIconTextObject& label, double x, double y) const;
    static void readLabelAttributes(GLIconTextObject& label, const LabelRecord& record, double rotation);
    bool setTextAtlasInfo(GLIconTextObject& label) const;
    static bool checkDisplayFlag(const LabelRecord& record, const std::optional<uint8_t>& flagPosition);
    void sortPriorityOrderData(float priority, const std::shared_ptr<GLIconTextObject>& label);

    bool checkOverlappingPoint(GLIconTextObject& label);
    bool checkOverlappingIcon(GLIconTextObject& label, bool hasText);
    bool checkOverlappingText(GLIconTextObject& label, bool hasIcons);
    bool checkBox(const double* box, float angle) const;
    void maskBox(const double* box, float angle);

    void saveGLPointData(const GLIconTextObject& label);
    void saveTextData(GLQuadTextModel& model, const GLIconTextObject& label, float atlasSize) const;
    void saveIconData(GLQuadIconModel& model, const GLIconTextObject& label) const;
    void calculate4byteBoundingBox(GLIconTextObject& label) const;
    static unsigned upload(std::shared_ptr<TextureAtlasBuffer>& buffer, const GLQuadPointModel& model);

    double m_normalizePoint[2] = {0.0, 0.0};
    GLCoord m_visibleMax;
    GLCoord m_visibleMin;
    int m_windowWidth = 0;
    int m_windowHeight = 0;
    std::shared_ptr<MaskArea> m_mask;
    double m_fragmentDistance[2] = {1.0, 1.0};
    double m_resolutionFactor = 1.0;
    GLCoord m_camera;
    double m_tilt = 0.0;
    double m_rotation = 0.0;
    double m_zFactorRate = 0.8;
    std::map<float, std::vector<std::shared_ptr<GLIconTextObject>>> m_priorityMap;
    std::map<TextModelKey, std::shared_ptr<GLQuadTextModel>> m_textModels;
    std::shared_ptr<GLQuadIconModel> m_iconModel;
    std::shared_ptr<TextureAtlasBuffer> m_iconBuffer;
    // The icon model changed since the icon buffer was last uploaded.
    bool m_iconDirty = true;
    std::shared_ptr<TextureAtlasBuffer> m_textBuffer;
    std::map<unsigned, textureInfo> m_textureInfo;
    std::string m_key;
    std::map<TextModelKey, int> m_atlasSize;
    std::vector<std::shared_ptr<TextureAtlasBuffer>> m_userIconBuffers;
    std::vector<std::shared_ptr<TextureAtlasBuffer>> m_userTextBuffers;
    std::vector<std::shared_ptr<GLIconTextObject>> m_userPoints;
    std::string m_designName = "sample";
    const AtlasPlacementMap* m_textAtlasInfo = nullptr;
};

}  // namespace qiv

#endif
