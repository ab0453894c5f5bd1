#ifndef TOLKMAPS_MODEL_COORDSMANAGER_H
#define TOLKMAPS_MODEL_COORDSMANAGER_H

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "CoordTypes.h"
#include "ZController.h"

namespace qiv {

// The engine's camera model: window size, camera position, the camera's
// point in world space (x east, y north, z its height), the world size of a
// screen pixel, the four ground corners of the view and the sorted keys of
// the tiles under them. Every move recomputes all of these, so a reader gets
// a consistent snapshot; getters only copy.
// No lock of its own: the engine calls it under its camera lock.
class CoordsManager {
public:
    // Everything the camera shows, as the last move left it.
    struct CoordsObject {
        int width = 0;
        int height = 0;
        float fieldOfView = 0.0f;
        double dpi = 0.0;
        GLCoord camera;
        CameraPosition position;
        std::vector<std::string> quadKeys;
        Vector3d pixelSize;
        std::array<GLCoord, 4> visibleRegion;
        LatLng movableSouthWest;
        LatLng movableNorthEast;
        bool outOfArea = false;
    };

    CoordsManager();

    // Window size in pixels and the screen density in dots per inch. A
    // density that is not positive (not known yet) counts as 326, the
    // density at which a pixel factor is 1. Takes effect at the next move.
    void setWindowSize(int width, int height, float fieldOfView, double dpi);

    // Moves the camera to `position` and then by the screen drag (dx, dy)
    // pixels. Except on the first move, the ground point under `anchor`
    // (screen pixels) stays under it across a zoom, tilt or bearing change.
    // The zoom is clamped to [2, 21] and the target kept inside the movable
    // area and so that the view stays inside the world.
    void setPosition(const CameraPosition& position, Point anchor, float dx, float dy);
    // Fits the camera, north up and untilted, to `box` with `padding` pixels
    // of margin on every side: the highest level (to 1e-5) that shows it all.
    void setPosition(const BoundingBox& box, int padding);
    // Fits the camera, north up and untilted, so that `box` fits a rectangle
    // of width x height pixels.
    void setPosition(const BoundingBox& box, int width, int height);

    // Level reached when the view is scaled by `scale` (2 is one level in);
    // the clamped level when scale is not positive.
    float calcZoomLevel(double level, float scale) const;
    double zoom2Level(double height) const;
    double level2Zoom(double level) const;
    int setZoomLevelBeginValue(int level, int height);
    int getZoomLevelBeginValue(int level) const;

    // Limits of the camera target from the next move on; equal corners
    // (such as both (0, 0)) mean no limit.
    void setMovableArea(const LatLng& southWest, const LatLng& northEast);

    // Ground position under a screen pixel, and the pixel showing a position.
    LatLng screen2LatLng(const Point& point) const;
    Point LatLng2Screen(const LatLng& latLng) const;

    void getCameraCoord(GLCoord* camera) const;
    CameraPosition getCameraPosition() const;
    void getQuadList(std::vector<std::string>* quadKeys) const;
    // Far-left, near-left, near-right, far-right ground corners (world units).
    void getVisibleRegion(std::array<GLCoord, 4>* region) const;
    // World units per screen pixel at the screen centre.
    void getPixel2FourByteDist(Vector3d* pixelSize) const;
    // True when the last move pulled the target back into the movable area.
    bool isOutOfArea() const;

    // World offset from the camera point to the ground under a screen pixel.
    PointLF calcPointDist(const Point& point) const;
    // World offset of a units right and b down on the screen, seen straight down.
    Vector3d calcScreen2World(double a, double b) const;

private:
    void move(const PointLF& offset, float dx, float dy);
    bool keepInMovableArea();
    void keepInsideWorld();
    void updateVisibleRegion();
    void updateQuadKeys();
    void setTargetFromCamera();
    // Lowers the level from `level` by `step` until `fits` holds or the
    // level drops below the minimum; answers the last level tried.
    double searchFittingLevel(const LatLng& target, double level, double step,
                              const std::function<bool()>& fits);
    void fitToBox(const BoundingBox& box, const std::function<bool()>& fits);

    ZController m_zController;
    CoordsObject m_coords;
};

}  // namespace qiv

#endif
