#ifndef TOLKMAPS_DRAW_GLMAPOBJECTORGANIZER_H
#define TOLKMAPS_DRAW_GLMAPOBJECTORGANIZER_H

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CoordTypes.h"
#include "LRUCache.h"
#include "MapObjectOrganizer.h"
#include "_K7D_STR_COLOR.h"

class K7DataBase;

namespace qiv {

class BaseDesign;
class GLPointOrganizer;

// Builds the drawables of a tile from its records, styled by the current
// design set, and caches the ground drawables of the last 100 tiles by quad
// key, so that a tile is built once and afterwards only rebased on the
// frame's origin.
//
// Tile layout read here: root child 0 holds the "qak" quad key; root child 1
// holds the sections ("ctg"): 0 indoor, 1 background, 2 ground, 3 points. A
// section's children are design groups, "pgg" (areas: "ln4" triangle lists)
// or "lng" (lines: one "ln4" per line), each with its "dcn" design name and
// its geometry in its first "ctg".
//
// Building from records is the expensive step, so at most one tile's ground
// is built per frame; a tile that has to wait shows its nearest cached
// ancestor, which the draw controller clips to the tile's square.
//
// Labels and icons are placed by the point organizer owned here, to which
// every label operation is forwarded.
class GLMapObjectOrganizer : public MapObjectOrganizer {
public:
    static constexpr int kTileCacheCapacity = 100;
    // Design name of the outline that marks a missing tile.
    static const char* const QUAD_LINE;

    GLMapObjectOrganizer();

    void setDesignName(const std::string& name) override;
    void willDrawFrame() override;
    void setNormalizePoint(double x, double y) override;
    void setResolutionFactor(const double& factor) override;
    void setFragmentDistance(double x, double y) override;
    void setWindowSize(int width, int height) override;
    void setCamera(const GLCoord& camera, double bearing, double tilt) override;
    void setTextureInformation(std::map<unsigned, textureInfo>& information) override;
    void setVisibleRegion(const GLCoord* corners) override;
    void getVisibleBoundingBox(GLCoord& minimum, GLCoord& maximum) const override;

    bool setK7DataGround(K7DataGroup* tile, const std::string& key, bool& needMask) override;
    const ObjectMap& getMapData() const override { return m_mapData; }
    const ObjectMap& getTransparentMapData() const override { return m_transparentMapData; }
    void createQuadPolygonFromQuadKey(const std::string& key, GLCoord& southWest,
                                      GLCoord& northWest, GLCoord& southEast,
                                      GLCoord& northEast) const override;
    void calculateLineJointPointFactor(
        const std::shared_ptr<GLLinePolygonObject>& line) const override;
    bool existCache(const std::string& key) const override;

    void setOverlapArea(int width, int height) override;
    void setTextAtlasInformation(const AtlasPlacementMap* placements) override;
    void setTextureAtlasImage(const AtlasImageMap& images) override;
    void setPointData(K7DataGroup* tile) override;
    void registratePointData() override;
    int getIconBufferSize() const override;
    unsigned getIconBufferID() override;
    int getTextBufferSize(const std::string& key, uint16_t image) const override;
    unsigned getTextBufferID(const std::string& key, uint16_t image) override;

    void clearMapObject() override;
    void clearMapPoint() override;
    void clearMapCache() override;

    // Drawables added since the last clearMapObject: areas and lines.
    int getPolygonCount() const { return m_polygonCount; }
    int getLineCount() const { return m_lineCount; }
    const std::string& getDesignName() const { return m_designName; }

private:
    using DrawableList = std::vector<std::shared_ptr<GLObject>>;
    using TileCache = LRUCache<std::string, DrawableList>;

    // Whether a background section is a missing tile's outline.
    static bool isQuadLine(K7DataGroup* background);
    // Prepares one section; false when the tile's own drawables could not
    // be prepared this frame.
    bool extract(K7DataGroup* section, bool ground, bool backmost, bool quadLine, bool& needMask);
    // The own key's cached drawables, or with `searchAncestors` the nearest
    // cached ancestor's; `ancestor` tells which of the two was found.
    bool findCached(bool searchAncestors, DrawableList& drawables, bool& ancestor);
    void addCachedDrawables(DrawableList& drawables);
    // Builds every design group of a section; true when any drew something.
    bool buildSection(K7DataGroup* section, bool backmost, bool quadLine);
    bool setK7DataBackGround(K7DataBase* child, bool backmost, bool quadLine);
    std::vector<BaseDesign*> getMultiDesign(K7DataGroup* group) const;
    bool setPolygonData(K7DataGroup* group, bool backmost, bool quadLine);
    bool setPolylineData(K7DataGroup* group, bool backmost, bool quadLine);
    bool setLinePolygonData(K7DataGroup* lines, const _K7D_STR_COLOR& color, float width,
                            float zIndex, bool backmost, bool quadLine);
    std::shared_ptr<GLLinePolygonObject> newLineObject() const;
    void styleLine(GLLinePolygonObject& line, const _K7D_STR_COLOR& color, float width,
                   float zIndex) const;
    void addLineObject(const std::shared_ptr<GLLinePolygonObject>& line, bool cache);
    void addMapData(const std::shared_ptr<GLObject>& object);
    // Keeps a ground drawable under the current key.
    void appendToTileCache(const std::shared_ptr<GLObject>& object);
    // Line thinning factor for a screen point of a tilted view.
    double calculateZfactor(const Point& point) const;

    std::shared_ptr<GLPointOrganizer> m_pointOrganizer;
    ObjectMap m_mapData;
    ObjectMap m_transparentMapData;
    std::array<double, 2> m_normalizePoint{};
    GLCoord m_visibleMax;
    GLCoord m_visibleMin;
    double m_resolutionFactor = 1.0;
    std::array<double, 2> m_fragmentDistance{};
    std::string m_currentKey;
    double m_quadLevel = 0.0;
    int m_windowWidth = 0;
    int m_windowHeight = 0;
    GLCoord m_camera;
    double m_tilt = 0.0;
    double m_bearing = 0.0;
    GLCoord m_tileSouthWest;
    GLCoord m_tileNorthEast;
    std::string m_designName = "sample";
    int m_polygonCount = 0;
    int m_lineCount = 0;
    TileCache m_tileCache{kTileCacheCapacity};
    bool m_builtThisFrame = false;
    // Ground drawables of the section being built, cached once it is done.
    DrawableList m_built;
};

}  // namespace qiv

#endif
