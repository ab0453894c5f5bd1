#include "ViewMatrices.h"

#include <cmath>

#include "Matrix4.h"

namespace qiv {

namespace {

const double kRadiansPerDegree = 0.017453292519943295;
// Screen pixels per unit of the projection plane at pixel factor 1; with
// the frustum below it makes one world unit 750 / height pixels wide.
const double kPlaneScale = 1500.0;

}  // namespace

void ViewMatrices::compute(const GLCoord& camera, double tiltValue, double bearingValue, int width,
                           int height, double pixelFactor) {
    const double cameraHeight = camera.z;
    if (!(cameraHeight > 0.0) || width <= 0 || height <= 0 || !(pixelFactor > 0.0)) {
        *this = ViewMatrices();
        return;
    }
    m_near = cameraHeight - 0.5 * cameraHeight;
    m_far = cameraHeight + 0.5 * cameraHeight * 4.0;
    const double halfAngleTangent = std::tan(45.0 * kRadiansPerDegree);
    const double right = m_near * halfAngleTangent * width / (pixelFactor * kPlaneScale);
    const double top = m_near * halfAngleTangent * height / (pixelFactor * kPlaneScale);
    const Matrix4 projection = Matrix4::frustum(-right, right, -top, top, m_near, m_far);
    const Matrix4 view =
        Matrix4::lookAt({camera.x, camera.y, cameraHeight}, {camera.x, camera.y, 0.0}, {0, 1, 0});
    const Matrix4 rotation = Matrix4::rotationX(tiltValue) * Matrix4::rotationZ(bearingValue);
    m_projection = projection.toFloats();
    m_modelView = (view * rotation).toFloats();
    m_projectionRotation = (projection * rotation).toFloats();
}

}  // namespace qiv
