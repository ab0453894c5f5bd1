#ifndef TOLKMAPS_DRAW_VIEWMATRICES_H
#define TOLKMAPS_DRAW_VIEWMATRICES_H

#include <array>

#include "CoordTypes.h"

namespace qiv {

// The projection and model-view matrices of the map camera, shared by every
// program. The camera looks straight down from `camera.z` (its height, world
// units) onto the ground point (camera.x, camera.y), given relative to the
// frame origin; the map turns about that point by the bearing value and tilts
// about its x axis by the tilt value (degrees, as the drawers receive them:
// the camera's bearing and tilt negated). At zero tilt one world unit covers
// 750 * pixelFactor / height-of-camera screen pixels, the inverse of the
// camera model's pixel size. Computed in double precision, kept as floats
// (column-major) for glUniformMatrix4fv. Value type, any thread.
class ViewMatrices {
public:
    // Recomputes everything. A view that cannot be projected (camera height,
    // window side or pixel factor not positive) gets zero matrices, which
    // draw nothing, and zero clip distances.
    void compute(const GLCoord& camera, double tiltValue, double bearingValue, int width,
                 int height, double pixelFactor);

    // The frustum: "uPMatrix".
    const std::array<float, 16>& projection() const { return m_projection; }
    // Look-at times tilt times bearing: "uMVMatrix".
    const std::array<float, 16>& modelView() const { return m_modelView; }
    // The projection times tilt times bearing (no look-at translation).
    const std::array<float, 16>& projectionRotation() const { return m_projectionRotation; }
    // Clip distances in world units: half and three times the camera height.
    double nearClip() const { return m_near; }
    double farClip() const { return m_far; }

private:
    std::array<float, 16> m_projection{};
    std::array<float, 16> m_modelView{};
    std::array<float, 16> m_projectionRotation{};
    double m_near = 0.0;
    double m_far = 0.0;
};

}  // namespace qiv

#endif
