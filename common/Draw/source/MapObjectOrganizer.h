#ifndef TOLKMAPS_DRAW_MAPOBJECTORGANIZER_H
#define TOLKMAPS_DRAW_MAPOBJECTORGANIZER_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CoordTypes.h"
#include "TextAtlasManager.h"
#include "textureInfo.h"

class K7DataGroup;

namespace qiv {

class GLObject;
class GLLinePolygonObject;

// Turns decoded tiles into drawable objects for the draw controller and
// keeps the drawables of recently seen tiles. Every operation runs on the
// render thread; world coordinates are four-byte units (x east, y north),
// screen values pixels.
class MapObjectOrganizer {
public:
    // Drawables of one tile keyed by z-index; equal keys keep insertion order.
    using ObjectMap = std::multimap<float, std::shared_ptr<GLObject>>;

    virtual ~MapObjectOrganizer();

    // The design set used from now on; drops every cached tile.
    virtual void setDesignName(const std::string& name) = 0;
    // Starts a frame: one tile may be built from records again.
    virtual void willDrawFrame() = 0;
    // World origin of this frame's float coordinates.
    virtual void setNormalizePoint(double x, double y) = 0;
    // dpi / 326.
    virtual void setResolutionFactor(const double& factor) = 0;
    // World units per screen pixel along x and y.
    virtual void setFragmentDistance(double x, double y) = 0;
    virtual void setWindowSize(int width, int height) = 0;
    // Camera position and height in world units; angles in degrees.
    virtual void setCamera(const GLCoord& camera, double bearing, double tilt) = 0;
    // Icons of the current design's atlases, by icon number.
    virtual void setTextureInformation(std::map<unsigned, textureInfo>& information) = 0;
    // The four ground corners of the view.
    virtual void setVisibleRegion(const GLCoord* corners) = 0;
    virtual void getVisibleBoundingBox(GLCoord& minimum, GLCoord& maximum) const = 0;

    // Prepares the drawables of a tile (or of the placeholder of a missing
    // tile). Answers false when the tile could not be drawn completely this
    // frame; `needMask` is set when an ancestor's drawables stand in for it
    // and must be clipped to the tile's square.
    virtual bool setK7DataGround(K7DataGroup* tile, const std::string& key, bool& needMask) = 0;
    // The drawables prepared since the last clearMapObject.
    virtual const ObjectMap& getMapData() const = 0;
    virtual const ObjectMap& getTransparentMapData() const = 0;
    // Corners of a tile's square in world units (z 0, valid).
    virtual void createQuadPolygonFromQuadKey(const std::string& key, GLCoord& southWest,
                                              GLCoord& northWest, GLCoord& southEast,
                                              GLCoord& northEast) const = 0;
    // Per-index join factors of a line for the screen as it is now.
    virtual void calculateLineJointPointFactor(
        const std::shared_ptr<GLLinePolygonObject>& line) const = 0;
    // Whether the tile's drawables are cached (does not touch the recency).
    virtual bool existCache(const std::string& key) const = 0;

    // Labels. A fresh collision area for a surface of width x height pixels.
    virtual void setOverlapArea(int width, int height) = 0;
    // Placements of the frame's label texts by tile key; not owned, kept
    // until clearMapPoint.
    virtual void setTextAtlasInformation(const AtlasPlacementMap* placements) = 0;
    // The label atlas images of the frame's tiles (their sizes are read).
    virtual void setTextureAtlasImage(const AtlasImageMap& images) = 0;
    // Reads a tile's label records.
    virtual void setPointData(K7DataGroup* tile) = 0;
    // Places the frame's labels without overlaps and fills the sprite buffers.
    virtual void registratePointData() = 0;
    // Sprite count and vertex buffer of the placed icons.
    virtual int getIconBufferSize() const = 0;
    virtual unsigned getIconBufferID() = 0;
    // Sprite count and vertex buffer of one atlas image's placed texts.
    virtual int getTextBufferSize(const std::string& key, uint16_t image) const = 0;
    virtual unsigned getTextBufferID(const std::string& key, uint16_t image) = 0;

    // Forgets the drawables prepared for the last tile.
    virtual void clearMapObject() = 0;
    // Forgets the frame's labels, sprites and icon information.
    virtual void clearMapPoint() = 0;
    // Drops every cached tile.
    virtual void clearMapCache() = 0;
};

}  // namespace qiv

#endif
