#ifndef TOLKMAPS_RENDER_MAPSNAPSHOT_H
#define TOLKMAPS_RENDER_MAPSNAPSHOT_H

#include <string>
#include <vector>

#include "CoordTypes.h"
#include "RenderOptions.h"
#include "VeltarEngine.h"

// One engine drawing one view into the GL context that is current on the
// calling thread; the context must stay current for the object's life.
class MapSnapshot {
public:
    // How drawing until complete went.
    struct Outcome {
        // The last frame's answer: 0 complete, 101 still missing, else the
        // engine's start-up or login status.
        int status = 0;
        int frames = 0;
        double seconds = 0.0;
    };

    MapSnapshot(const std::string& engineId, int width, int height);

    // Prepares the map with a design set and the label font; the engine's
    // status (0 ready).
    int initialize(const std::string& designName,
                   const std::string& fontPath = RenderOptions::kDefaultFontPath);
    void placeCamera(const qiv::CameraPosition& position);
    // Draws frames until one answers anything but 101, or until
    // `timeoutSeconds` have passed; the tile and label workers fill the
    // caches in between.
    Outcome drawUntilComplete(double timeoutSeconds);
    // The visible tiles that the memory cache does not hold for `serviceId`.
    std::vector<std::string> missingTiles(const std::string& serviceId);

    qiv::VeltarEngine& engine() { return m_engine; }

private:
    int m_width;
    int m_height;
    qiv::VeltarEngine m_engine;
};

#endif
