#include "MaskArea.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "GeometryProcBase.h"
#include "Log.h"

namespace {

// Keeps far-off or infinite coordinates within a range that converts to
// integers safely; NaN becomes 0.
int64_t toPixel(double value) {
    constexpr double kLimit = 1e12;
    if (std::isnan(value)) return 0;
    return static_cast<int64_t>(std::clamp(value, -kLimit, kLimit));
}

// The same turn within one full turn, so that the outline's corners keep
// their precision; a turn that is not a number counts as none.
double normalAngle(double angle) { return std::isfinite(angle) ? std::fmod(angle, 360.0) : 0.0; }

uint32_t toLength(int64_t value) {
    return static_cast<uint32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<uint32_t>::max()));
}

// Where row y crosses the closed outline of 5 points: the least and the
// greatest x over its sides; false when the row misses it. A side lying in
// the row counts with both ends.
bool spanAt(const GeoBasePoly& outline, double y, double& low, double& high) {
    low = std::numeric_limits<double>::infinity();
    high = -low;
    for (size_t i = 0; i + 1 < 5; ++i) {
        const double x1 = outline.x(0, i), y1 = outline.y(0, i), x2 = outline.x(0, i + 1), y2 = outline.y(0, i + 1);
        if (y < std::min(y1, y2) || y > std::max(y1, y2)) continue;
        if (y1 == y2) {
            low = std::min({low, x1, x2});
            high = std::max({high, x1, x2});
            continue;
        }
        const double x = x1 + (y - y1) * (x2 - x1) / (y2 - y1);
        low = std::min(low, x);
        high = std::max(high, x);
    }
    return low <= high;
}

}  // namespace

MaskArea::MaskArea(uint32_t width, uint32_t height) { init(width, height); }

void MaskArea::init(uint32_t width, uint32_t height) {
    if (Log::isEnabled(1)) K7D_LOG_DEBUG("");
    m_lines.insert(m_lines.end(), height, MaskLine(width));
}

void MaskArea::clear() { m_lines.clear(); }

bool MaskArea::check(int32_t x, int32_t y, uint32_t w, uint32_t h, double angle) const {
    if (Log::isEnabled(1)) K7D_LOG_DEBUG("");
    angle = normalAngle(angle);
    int64_t left = static_cast<int64_t>(x) - m_margin, top = static_cast<int64_t>(y) - m_margin;
    int64_t width = static_cast<int64_t>(w) + 2 * m_margin, height = static_cast<int64_t>(h) + 2 * m_margin;
    if (angle == 0) {
        int64_t rowEnd = 0;
        if (!trimRange(left, top, width, height, rowEnd)) return false;
        for (int64_t row = top; row < rowEnd; ++row) {
            if (!m_lines[row].check(static_cast<uint32_t>(left), toLength(width))) return false;
        }
        return true;
    }
    std::vector<_BufferLine> lines;
    if (!getBufferLines(left, top, width, height, angle, lines)) return false;
    return std::all_of(lines.begin(), lines.end(), [this](const _BufferLine& line) {
        return line.length <= 0 || m_lines[line.y].check(static_cast<uint32_t>(line.x), toLength(line.length));
    });
}

void MaskArea::mask(int32_t x, int32_t y, uint32_t w, uint32_t h, double angle) {
    if (Log::isEnabled(1)) K7D_LOG_DEBUG("");
    angle = normalAngle(angle);
    int64_t left = x, top = y, width = w, height = h;
    if (angle == 0) {
        int64_t rowEnd = 0;
        if (!trimRange(left, top, width, height, rowEnd)) return;
        for (int64_t row = top; row < rowEnd; ++row) m_lines[row].mask(static_cast<uint32_t>(left), toLength(width));
        return;
    }
    std::vector<_BufferLine> lines;
    if (!getBufferLines(left, top, width, height, angle, lines)) return;
    for (const _BufferLine& line : lines) {
        if (line.length > 0) m_lines[line.y].mask(static_cast<uint32_t>(line.x), toLength(line.length));
    }
}

bool MaskArea::checkRange(double x0, double y0, double x1, double y1) const {
    if (m_lines.empty()) return false;
    return !(y0 > static_cast<double>(m_lines.size()) - 1 || y1 < 0 || x1 < 0 || x0 > widthInBits());
}

bool MaskArea::trimRange(int64_t& x, int64_t& y, int64_t& w, int64_t& h, int64_t& rowEnd) const {
    if (!checkRange(static_cast<double>(x), static_cast<double>(y), static_cast<double>(x + w),
                    static_cast<double>(y + h))) {
        return false;
    }
    if (x < 0) {
        w += x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        y = 0;
    }
    rowEnd = std::min<int64_t>(static_cast<int64_t>(m_lines.size()), y + h);
    return true;
}

bool MaskArea::getBufferLines(int64_t x, int64_t y, int64_t w, int64_t h, double angle,
                              std::vector<_BufferLine>& lines) const {
    // The outline helper swaps x and y before turning, which a quarter turn
    // less undoes for a rectangle about its centre.
    angle = normalAngle(angle);
    GeoBasePoly outline;
    const GeoBasePoint center(static_cast<double>(x) + w * 0.5, static_cast<double>(y) + h * 0.5);
    GeometryProcBase::rotateBoxCenter(center, toLength(w), toLength(h), angle - 90.0, outline);
    GeoBaseBox box;
    GeometryProcBase::setBox(outline, box);
    if (!checkRange(box.minX(), box.minY(), box.maxX(), box.maxY())) return false;
    if (std::fmod(angle, 90.0) == 0) {
        uprightLines(box, lines);
    } else {
        slantedLines(outline, box, lines);
    }
    return true;
}

// A quarter-turned rectangle covers its bounding box.
void MaskArea::uprightLines(const GeoBaseBox& box, std::vector<_BufferLine>& lines) const {
    int64_t left = toPixel(box.minX());
    int64_t length = toPixel(box.maxX() - box.minX());
    if (left < 0) {
        length += left;
        left = 0;
    }
    const int64_t first = std::max<int64_t>(0, toPixel(box.minY()));
    const int64_t end = std::min<int64_t>(static_cast<int64_t>(m_lines.size()), toPixel(box.maxY() + 1));
    for (int64_t row = first; row < end; ++row) {
        lines.push_back({static_cast<int32_t>(left), static_cast<int32_t>(row), static_cast<int32_t>(length)});
    }
}

// Each row runs between the outline's sides where they cross the row's top
// line, clipped at the bitmap's left edge. Crossing all four sides keeps
// nearly upright outlines exact, where a side's line would run off to
// infinity.
void MaskArea::slantedLines(const GeoBasePoly& outline, const GeoBaseBox& box,
                            std::vector<_BufferLine>& lines) const {
    const int64_t first = std::max<int64_t>(0, toPixel(box.minY()));
    const int64_t end = std::min<int64_t>(static_cast<int64_t>(m_lines.size()), toPixel(box.maxY() + 1.5));
    for (int64_t row = first; row < end; ++row) {
        double low = 0, high = 0;
        if (!spanAt(outline, static_cast<double>(row), low, high)) continue;
        const int64_t start = std::max<int64_t>(0, toPixel(low));
        const int64_t length = toPixel(high) - start + 1;
        if (length < 0) continue;
        lines.push_back({static_cast<int32_t>(std::min<int64_t>(start, std::numeric_limits<int32_t>::max())),
                         static_cast<int32_t>(row),
                         static_cast<int32_t>(std::min<int64_t>(length, std::numeric_limits<int32_t>::max()))});
    }
}
