#ifndef TOLKMAPS_ENGINE_VELTARENGINE_H
#define TOLKMAPS_ENGINE_VELTARENGINE_H

#include <array>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "CoordTypes.h"
#include "CoordsManager.h"
#include "DataSourceManager.h"
#include "MapDrawController.h"
#include "Settings.h"

class K7DataCtg;

namespace qiv {

// The object through which a map view drives one map: it owns the camera
// model and the renderer and runs one frame per display refresh.
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

    // `engineId` names this map to the view's callbacks and caches.
    // Nothing is downloaded and no GL call is made.
    explicit VeltarEngine(const std::string& engineId);
    // Drops this map's label atlases from the memory atlas caches.
    ~VeltarEngine();
    VeltarEngine(const VeltarEngine&) = delete;
    VeltarEngine& operator=(const VeltarEngine&) = delete;

    const std::string& getEngineId() const { return m_engineId; }

    // The service status: the start-up status when it is not 0, else the
    // login status; 0 means ready. Any thread.
    int CheckStatus();
    // Takes over what start-up found (global data, settings, service id,
    // division, versions) for this map's tile supply and makes the label
    // atlas cache of a non-empty `designName`. Answers the status; 0 when
    // the map may be drawn. Render thread.
    int initializeMap(const std::string& designName);

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
    // when every visible tile was drawn and 101 while tiles are still
    // missing, so that the view draws again at the next refresh.
    int drawMap();

private:
    // What a frame needs from the camera, copied under the camera lock.
    struct CameraSnapshot {
        std::vector<std::string> quadKeys;
    };
    // The visible tiles a frame found in the caches, by key and in key
    // order, and the keys it did not find.
    struct TileLookup {
        std::map<std::string, K7DataCtg*> tiles;
        std::vector<std::string> found;
        std::vector<std::string> missing;
    };

    CameraSnapshot takeCameraSnapshot();
    // Looks every visible key up in memory, else in the disk cache; never
    // the network. Records stay owned by the memory cache.
    TileLookup lookUpTiles(const std::vector<std::string>& keys);
    // Requests the missing tiles, or, when none is missing, the ancestors two
    // and four levels up that memory lacks (so that zooming out finds them).
    // Answers whether every visible tile was found.
    bool requestTiles(const std::vector<std::string>& visible, const TileLookup& lookup);
    // Ancestors two and four levels up of `keys` that memory lacks, each once.
    std::vector<std::string> ancestorsToPrefetch(const std::vector<std::string>& keys);

    const std::string m_engineId;
    // Guards the camera model; never held together with the frame lock.
    std::mutex m_cameraMutex;
    // Held for the drawing part of a frame.
    std::mutex m_frameMutex;
    // Screen density from the start-up settings; 0 until known.
    double m_dpi = 0.0;
    // The global record tree of start-up; not owned.
    K7DataCtg* m_globalData = nullptr;
    Settings m_setting;
    MapDrawController m_drawController;
    CoordsManager m_coordsManager;
    DataSourceManager m_dataSourceManager{kTileWorkers};
};

}  // namespace qiv

#endif
