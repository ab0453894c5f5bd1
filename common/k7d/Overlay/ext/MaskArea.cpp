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

uint32_t toLength(int64_t value) {
    return static_cast<uint32_t>(std::clamp<int64_t>(value, 0, std::numeric_limits<uint32_t>::max()));
}

// One side of the outline as x = f(y): a line through two vertices, or a
// vertical one.
struct Edge {
    Edge(const GeoBasePoint& from, const GeoBasePoint& to)
        : m_vertical(!GeometryProcBase::calcAB(from, to, m_a, m_b)), m_x(from.x()) {}
    double xAt(double y) const { return m_vertical ? m_x : (y - m_b) / m_a; }

    double m_a = 0;
    double m_b = 0;
    bool m_vertical;
    double m_x;
};

GeoBasePoint vertex(const GeoBasePoly& outline, int index) {
    return GeoBasePoint(outline.x(0, index), outline.y(0, index));
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

// Each row runs from the right-most of the two left sides to the left-most
// of the two right sides, clipped at the bitmap's left edge.
void MaskArea::slantedLines(const GeoBasePoly& outline, const GeoBaseBox& box,
                            std::vector<_BufferLine>& lines) const {
    int left[3], right[3];
    getLR(outline, box, left, right);
    const Edge leftEdges[2] = {{vertex(outline, left[0]), vertex(outline, left[1])},
                               {vertex(outline, left[1]), vertex(outline, left[2])}};
    const Edge rightEdges[2] = {{vertex(outline, right[0]), vertex(outline, right[1])},
                                {vertex(outline, right[1]), vertex(outline, right[2])}};
    const int64_t first = std::max<int64_t>(0, toPixel(outline.y(0, left[0])));
    const int64_t end =
        std::min<int64_t>(static_cast<int64_t>(m_lines.size()), toPixel(outline.y(0, left[2]) + 1.5));
    for (int64_t row = first; row < end; ++row) {
        const double y = static_cast<double>(row);
        const int64_t start = std::max<int64_t>(0, toPixel(std::fmax(leftEdges[0].xAt(y), leftEdges[1].xAt(y))));
        const int64_t stop = toPixel(std::fmin(rightEdges[0].xAt(y), rightEdges[1].xAt(y)));
        const int64_t length = stop - start + 1;
        if (length < 0) continue;
        lines.push_back({static_cast<int32_t>(std::min<int64_t>(start, std::numeric_limits<int32_t>::max())),
                         static_cast<int32_t>(row),
                         static_cast<int32_t>(std::min<int64_t>(length, std::numeric_limits<int32_t>::max()))});
    }
}

void MaskArea::getLR(const GeoBasePoly& outline, const GeoBaseBox& box, int left[3], int right[3]) {
    static constexpr int kChains[4][6] = {
        {3, 0, 1, 3, 2, 1},
        {0, 1, 2, 4, 3, 2},
        {1, 2, 3, 1, 4, 3},
        {2, 3, 4, 2, 1, 0},
    };
    int leftmost = 0;
    while (leftmost < 3 && outline.x(0, leftmost) != box.minX()) ++leftmost;
    if (Log::isEnabled(1)) K7D_LOG_DEBUG("", leftmost);
    std::copy(kChains[leftmost], kChains[leftmost] + 3, left);
    std::copy(kChains[leftmost] + 3, kChains[leftmost] + 6, right);
}
