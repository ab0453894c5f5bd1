#ifndef TOLKMAPS_DRAW_MAPDRAWCONTROLLER_H
#define TOLKMAPS_DRAW_MAPDRAWCONTROLLER_H

#include <GLES2/gl2.h>

#include <array>
#include <map>
#include <memory>
#include <string>

#include "CoordTypes.h"
#include "LRUCache.h"
#include "MapObjectOrganizer.h"
#include "MapObjectType.h"
#include "TextAtlasManager.h"
#include "TextureCache.h"
#include "TextureManager.h"

class K7DataCtg;
class K7DataGroup;

namespace qiv {

class GLCircleObject;
class GLGroundOverlayObject;
class GLLinePolygonObject;
class GLObject;
class GLObjectDrawer;
class GLPolygonObject;
class ShaderController;

// The engine's renderer: clears the frame, draws each available tile's
// drawables (clipped to the tile's square through the stencil buffer when an
// ancestor stands in for it) and the application's objects.
//
// Every vertex reaches GL as a float relative to the frame origin (a world
// point chosen per frame), so positions stay exact at the deepest levels.
// z-indices are scaled by 16 and written as depth, so one depth test orders
// areas and lines across tiles.
//
// Every operation runs on the render thread with the GL context current; the
// constructor compiles the programs.
class MapDrawController {
public:
    // Depth units per z-index step.
    static constexpr float kZIndexScale = 16.0f;
    // The dpi at which one design pixel is one screen pixel.
    static constexpr double kReferenceDpi = 326.0;

    MapDrawController();
    ~MapDrawController();
    MapDrawController(const MapDrawController&) = delete;
    MapDrawController& operator=(const MapDrawController&) = delete;

    // Rebuilds the programs for a (re)created context and takes the screen
    // density; clears colour, depth and stencil.
    void initialize(int dpi);
    void deleteProgram();
    // Surface size in pixels; every drawer's view follows.
    void setWindowSize(int width, int height);
    // Takes the background colour and the icon atlases of the design set
    // named `designName` among the global data's set groups. Nothing changes
    // when no set has that name.
    void registrateIconTexture(K7DataCtg* designs, const std::string& designName);
    // The frame's camera (world units, z its height), frame origin (world
    // units), angles in degrees and zoom (fractional level).
    void setCamera(const GLCoord& camera, double originX, double originY, double bearing,
                   double tilt, double zoom);
    // World units per screen pixel along x and y for this frame.
    void setPixelDistance(double x, double y);
    // The four ground corners of the view.
    void setVisibleRegion(const GLCoord* corners);
    // Clears colour (to the background colour), depth and stencil and starts
    // a frame in the organizer.
    void clearBuffer();
    // Drops the label textures and the organizer's cached tiles.
    void clearMemoryCache();

    // Draws one tile (or a missing tile's placeholder); `force` clips it to
    // its square in any case. False while the tile could not be drawn
    // completely, so that the frame is drawn again.
    bool draw(K7DataGroup* tile, const std::string& key, bool force);
    // Builds the drawables of an ancestor tile into the organizer's cache
    // without drawing them; nothing when they are cached already.
    void entry(K7DataGroup* tile, const std::string& key);

    // Map labels of the frame's tiles (by key, in key order): places them
    // and draws the icons, then the texts of every atlas image. `images` are
    // the tiles' atlas images; only the keys in `withPixels` carry pixels,
    // the others must have their textures cached.
    void drawPoint(const std::map<std::string, K7DataGroup*>& tiles,
                   const AtlasPlacementMap& placements, const AtlasImageMap& images,
                   const std::vector<std::string>& withPixels);
    // Whether every atlas image of a tile's labels has its texture cached,
    // so that its atlas is needed without pixels.
    bool hasTextTextures(const std::string& tileKey) const;
    // Drops every cached label texture.
    void clearTextTextures();

    // Application objects: each answers whether it drew. The objects get the
    // frame origin and visible box and rebuild their vertices against it.
    bool drawUserPolygonLine(const std::shared_ptr<GLLinePolygonObject>& line);
    bool drawUserPolygon(const std::shared_ptr<GLPolygonObject>& polygon);
    bool drawUserCircle(const std::shared_ptr<GLCircleObject>& circle);
    bool drawUserGroundOverlay(const std::shared_ptr<GLGroundOverlayObject>& overlay);

    // Icon used to find the texture of the map's icons.
    static constexpr unsigned kMapIconProbe = 157;

    const std::array<float, 4>& getBackgroundColor() const { return m_backgroundColor; }
    int getWindowWidth() const { return m_windowWidth; }
    int getWindowHeight() const { return m_windowHeight; }
    MapObjectOrganizer& getOrganizer() { return *m_organizer; }

private:
    // Gives every drawer the program of its kind.
    void adoptPrograms();
    template <class Drawer>
    Drawer& drawer(MapObjectType kind) const;

    // Lets only the tile's square through the stencil test until it is disabled.
    void setQuadMask(K7DataGroup* tile, const std::string& key);
    void drawBackground();
    void drawTransparentBackground();
    void drawObjects(const MapObjectOrganizer::ObjectMap& objects);
    void drawPolygon(const std::shared_ptr<GLObject>& object, GLenum mode);
    void drawPolygonLine(const std::shared_ptr<GLObject>& object);
    // Writes 0 into the stencil inside the polygon's holes, 1 elsewhere, and
    // lets the following fill through where the stencil is 1.
    void drawInnerPolygon(const GLPolygonObject& polygon);
    // Fills the stencil with `clearValue`, writes `triangleValue` under the
    // triangles (x, y, z per vertex) without touching colour or depth, then
    // lets drawing through where the stencil is 1.
    void drawStencilTriangles(const std::vector<float>& vertices, int clearValue, int triangleValue);
    bool drawStrokeLine(const std::shared_ptr<GLObject>& object);
    // Gives an application object the frame's visible box and registers it.
    bool registerUserObject(GLObject& object) const;
    float scaledZIndex(float zIndex) const { return kZIndexScale * zIndex; }
    void drawIcon();
    void drawText(const AtlasImageMap& images, const std::vector<std::string>& withPixels);
    // The cached texture of one atlas image, made from its pixels on a miss.
    GLuint cacheTextTexture(const std::string& tileKey, const AtlasImage& image, size_t index);

    std::shared_ptr<ShaderController> m_shaderController;
    std::map<MapObjectType, std::shared_ptr<GLObjectDrawer>> m_drawers;
    TextureManager m_textureManager;
    std::shared_ptr<MapObjectOrganizer> m_organizer;
    // Red, green, blue, alpha in 0 .. 1; the design's map background once
    // one is registered, transparent black until then.
    std::array<float, 4> m_backgroundColor{};
    double m_zoom = 0.0;
    std::array<double, 2> m_pixelDistance{};
    std::array<double, 2> m_frameOrigin{};
    double m_tilt = 0.0;
    double m_bearing = 0.0;
    GLCoord m_camera;
    int m_windowWidth = 0;
    int m_windowHeight = 0;
    int m_dpi = 0;
    double m_pixelFactor = 1.0;
    // The keys of the texture manager's label texture cache, kept in step
    // with it (same capacity, same order of use), which tells without
    // touching it whether a texture is cached.
    LRUCache<std::string, bool> m_textTextureKeys{TextureCache::kCapacity};
    // Atlas images of each tile whose label textures were made.
    std::map<std::string, size_t> m_textImageCount;
};

}  // namespace qiv

#endif
