#ifndef TOLKMAPS_ENGINE_VELTARENGINE_H
#define TOLKMAPS_ENGINE_VELTARENGINE_H

#include <array>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "CoordTypes.h"
#include "CoordsManager.h"
#include "DataSourceManager.h"
#include "MapDrawController.h"
#include "Settings.h"
#include "TextAtlasManager.h"

class K7DataCtg;
class K7DataGroup;
class K7DataLn4;
class K7DataQak;

namespace qiv {

// The object through which a map view drives one map: it owns the camera
// model, the tile supply, the label atlases and the renderer and runs one
// frame per display refresh. A frame draws the visible tiles that memory or
// the disk cache hold, covers each missing one with its nearest ancestor
// (clipped to its square) and its outline, requests what is missing, and
// answers 101 until everything was there.
//
// Threads: construction, setWindowSize and drawMap run on the thread whose
// GL context is current (the render thread). Camera operations may come from
// any thread; they take the camera lock, which a frame holds only to copy the
// camera. World units: x east, y north, 0 .. 2^32; screen: pixels, y down.
class VeltarEngine {
public:
    // Frame results besides a non-zero service status.
    static constexpr int kFrameComplete = 0;
    static constexpr int kFrameIncomplete = 101;
    // Threads fetching this map's tiles.
    static constexpr int kTileWorkers = 3;

    // `engineId` names this map to the view's callbacks and caches. The GL
    // context must be current (the renderer compiles its programs); nothing
    // is downloaded.
    explicit VeltarEngine(const std::string& engineId);
    // Drops this map's label atlases.
    ~VeltarEngine();
    VeltarEngine(const VeltarEngine&) = delete;
    VeltarEngine& operator=(const VeltarEngine&) = delete;

    const std::string& getEngineId() const { return m_engineId; }

    // The service status: the start-up status when it is not 0, else the
    // login status; 0 means ready. Any thread.
    int CheckStatus();
    // Takes over what start-up found (global data, settings, service id,
    // division, versions) for this map's tile supply, prepares the renderer
    // for the screen density and takes the design set `designName` (its
    // background, icons and label atlas cache). Answers the status; 0 when
    // the map may be drawn. Render thread.
    int initializeMap(const std::string& designName);

    // Switches to another design set from the next frame on; nothing for the
    // current one. Any thread.
    void setDesignFileName(const std::string& name);
    // Label fonts by language ("jpn", ...): font file paths. Any thread.
    void setFontPath(const std::map<std::string, std::string>& fonts);
    // Drops the cached label textures and tile drawables and this map's label
    // atlases of the current design. Render thread.
    void clearMemoryCache();
    // Whether the tile at `point` on `level` holds map content in the
    // service's area. Asks the service: not for the render thread.
    bool checkMapArea(const LatLng& point, double level);
    // The design names of the map features within `tolerancePixels` of
    // `point`, from the tile under it at the camera's whole level, each with
    // whether the current design set styles that name at that level. Empty
    // when the tile is not in memory.
    std::vector<std::pair<std::string, bool>> designCheck(const LatLng& point, double tolerancePixels);

    // Surface size in pixels. Render thread. The camera takes it at its next move.
    void setWindowSize(int width, int height);

    // Level reached when the view is scaled by `scale` (2 is one level in).
    float calcZoomLevel(double level, double scale);
    // Moves the camera to `position`, then by (dx, dy) screen pixels, keeping
    // the ground under `anchor` in place; answers the resulting camera.
    CameraPosition setPosition(const CameraPosition& position, float dx, float dy, Point anchor);
    // As setPosition, then shifts the view so that the centre appears
    // (padX, padY) pixels off; answers the camera of the first step.
    CameraPosition setPositionWithPadding(const CameraPosition& position, float dx, float dy,
                                          Point anchor, float padX, float padY);
    // Fits the camera to `box` with `padding` pixels of margin.
    CameraPosition setPosition(const BoundingBox& box, int padding);
    // Fits the camera so that `box` fits a width x height pixel rectangle.
    CameraPosition setPosition(const BoundingBox& box, int width, int height);
    LatLng screen2LatLng(const Point& point);
    Point LatLng2Screen(const LatLng& latLng);
    // Limits of the camera target from the next move on; equal corners mean none.
    void setMovableArea(const LatLng& southWest, const LatLng& northEast);
    // Camera height (world units) where whole `level` begins; 1 if accepted.
    int setZoomLevelBeginValue(int level, int value);
    int getZoomLevelBeginValue(int level);
    // Camera height in world units to fractional level, and back.
    double zoom2Level(double height);
    double level2Zoom(double level);
    // Metres per screen pixel at the camera target.
    double getPixelDistance();
    // Ground corners of the view: far-left, near-left, near-right, far-right
    // (before the bearing turns them).
    std::array<LatLng, 4> getVisibleRegion();
    // Sorted keys of the tiles under the view at the camera's whole level.
    std::vector<std::string> getVisibleQuadKeys();
    // Camera travel between two views in tiles of the deeper level, with the
    // level difference as a third axis. Pure; any thread.
    double calcDistance(const LatLng& a, const LatLng& b, double levelA, double levelB) const;

    // Draws one frame. Render thread, GL context current. Answers the
    // service status when it is not 0 (after only clearing the screen), 0
    // when every visible tile and label atlas was drawn and 101 while some
    // are still missing, so that the view draws again at the next refresh.
    // Tells the view once (NativeBridge::onOutOfArea) each time the camera
    // is held at the border of its movable area.
    int drawMap();

private:
    // What a frame needs from the camera, copied under the camera lock.
    struct CameraSnapshot {
        std::vector<std::string> quadKeys;
        GLCoord camera;
        std::array<GLCoord, 4> region;
        Vector3d pixelSize;
        CameraPosition position;
        bool outOfArea = false;
        std::string designName;
        // The design set changed since the last frame.
        bool designChanged = false;
    };
    // The visible tiles a frame found in the caches, by key and in key
    // order, and the keys it did not find.
    struct TileLookup {
        std::map<std::string, K7DataCtg*> tiles;
        std::vector<std::string> found;
        std::vector<std::string> missing;
    };

    CameraSnapshot takeCameraSnapshot();
    // Builds the record tree that stands in for a missing tile.
    void buildPlaceholderTile();
    // Clears the screen and the label area; all a frame does without service.
    void clearFrame();
    // Hands the frame's camera to the renderer.
    void setFrameCamera(const CameraSnapshot& snapshot);
    // A new design set: icons, background, dropped label textures and tiles.
    void applyDesign(const std::string& designName);
    // Looks every visible key up in memory, else in the disk cache; never
    // the network. Records stay owned by the memory cache.
    TileLookup lookUpTiles(const std::vector<std::string>& keys);
    // Requests the missing tiles, or, when none is missing, the ancestors two
    // and four levels up that memory lacks (so that zooming out finds them).
    // Answers whether every visible tile was found.
    bool requestTiles(const std::vector<std::string>& visible, const TileLookup& lookup);
    // Ancestors two and four levels up of `keys` that memory lacks, each once.
    std::vector<std::string> ancestorsToPrefetch(const std::vector<std::string>& keys);
    // Draws each missing tile as its nearest available ancestor, clipped to
    // the tile's square, or as its outline when there is none.
    void drawQuadLine(const std::vector<std::string>& missing);
    // Prepares the drawables of the nearest ancestor of `key` (the key
    // itself included) found in the background map or in memory.
    void entryAncestor(const std::string& key);
    // The tile of `key` in the start-up background map, or null.
    K7DataGroup* backgroundTile(const std::string& key);
    // Places and draws the labels of the found tiles; false when an atlas is
    // still missing (it is requested).
    bool drawText(const std::string& designName, const std::vector<std::string>& keys,
                  const std::map<std::string, K7DataCtg*>& tiles);
    // Tells the view once per stay at the movable area's border.
    void reportOutOfArea(bool outOfArea);

    const std::string m_engineId;
    // Guards the camera model; never held together with the frame lock.
    std::mutex m_cameraMutex;
    // Held for the drawing part of a frame.
    std::mutex m_frameMutex;
    // Name of the current design set; empty until set. Camera lock.
    std::string m_designName;
    // Set by setDesignFileName, taken by the next frame. Camera lock.
    bool m_designChanged = false;
    // Screen density from the start-up settings; 0 until known.
    double m_dpi = 0.0;
    // The view was told that the camera is held at the area's border.
    bool m_outOfAreaReported = false;
    // Stands in for a missing tile: its key and outline are rewritten per use.
    std::unique_ptr<K7DataCtg> m_placeholderTile;
    K7DataQak* m_placeholderKey = nullptr;
    K7DataLn4* m_placeholderOutline = nullptr;
    // The start-up background map's tiles by quad key, for the map indexed.
    std::map<std::string, K7DataGroup*> m_backgroundTiles;
    K7DataCtg* m_indexedBackground = nullptr;
    // The global record tree of start-up; not owned.
    K7DataCtg* m_globalData = nullptr;
    Settings m_setting;
    MapDrawController m_drawController;
    CoordsManager m_coordsManager;
    DataSourceManager m_dataSourceManager{kTileWorkers};
    TextAtlasManager m_textAtlasManager;
};

}  // namespace qiv

#endif
