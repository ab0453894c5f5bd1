#ifndef TOLKMAPS_DRAW_GLCIRCLEOBJECT_H
#define TOLKMAPS_DRAW_GLCIRCLEOBJECT_H

#include <string>
#include <vector>

#include "GLPolygonBaseObject.h"

namespace qiv {

// An application circle drawn as a triangle fan: the centre first, then the
// rim points (flat world x, y, made by the user object controller). Its
// stroke is one extruded line over the rim.
class GLCircleObject : public GLPolygonBaseObject {
public:
    // A circle of kind 14.
    GLCircleObject();

    // False for fewer than 3 points. Fill and stroke colours are 4 floats
    // 0 .. 255; the stroke is enabled when its width is above 0 and its
    // alpha not 0.
    bool initialize(const std::string& id, float zIndex, const std::vector<double>& points,
                    const float fillColor[4], const float strokeColor[4], bool visible,
                    float strokeWidth);
    // Replaces the centre and rim points and rebuilds the stroke.
    void setUserVerticesCircle(const std::vector<double>& points);
    // Adds every point (the fan); answers whether the circle touches the
    // visible box: a point inside it, a spoke crossing its border, or the
    // box's centre inside the fan (a view deep inside a large circle).
    bool isVisibleRegion(const std::vector<double>& points);

    using GLPolygonBaseObject::isVisibleRegion;

    void clear() override;
    // Nothing (false) without points; otherwise clears and runs
    // isVisibleRegion on a copy of them.
    bool registrateUserData() override;
    // One stroke line over the rim (the points without the centre).
    void updateUserStroke() override;

private:
    // Whether the visible box's centre lies in one of the fan's triangles.
    bool containsVisibleCentre(const std::vector<double>& points) const;
};

}  // namespace qiv

#endif
