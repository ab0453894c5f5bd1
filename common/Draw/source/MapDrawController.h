#ifndef TOLKMAPS_DRAW_MAPDRAWCONTROLLER_H
#define TOLKMAPS_DRAW_MAPDRAWCONTROLLER_H

#include <array>

namespace qiv {

// The engine's renderer. For now it clears the frame; tiles, application
// objects and labels join it as their drawables arrive.
// Every operation runs on the render thread with the GL context current.
class MapDrawController {
public:
    // Clears colour (to the background colour), depth and stencil.
    void clearBuffer();

private:
    // Red, green, blue, alpha in 0 .. 1; the design's map background once
    // one is registered, transparent black until then.
    std::array<float, 4> m_backgroundColor{};
};

}  // namespace qiv

#endif
