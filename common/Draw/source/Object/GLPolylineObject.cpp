#include "GLPolylineObject.h"

#include <algorithm>

namespace qiv {

bool GLPolylineObject::setLineWidth(float width) {
    if (width < 0.0f) return false;
    m_lineWidth = std::clamp(width, MIN_LINE_WIDTH, MAX_LINE_WIDTH);
    return true;
}

float GLPolylineObject::getLineWidth() const {
    return m_lineWidth;
}

}  // namespace qiv
