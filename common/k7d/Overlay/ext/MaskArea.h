#ifndef TOLKMAPS_K7D_MASKAREA_H
#define TOLKMAPS_K7D_MASKAREA_H

#include <cstdint>
#include <vector>

#include "CommonProc.h"
#include "MaskLine.h"

class GeoBaseBox;
class GeoBasePoly;

// One row of a rotated rectangle: `length` pixels from `x` in row `y`.
struct _BufferLine {
    int32_t x = 0;
    int32_t y = 0;
    int32_t length = 0;
};

// The occupancy bitmap that keeps labels apart: one bit per pixel, row 0 at
// the top, x to the right (screen pixels, y down). `check` asks whether a
// rectangle, optionally turned about its centre, is free; `mask` marks it.
// Checks widen every rectangle by a margin of 1 pixel on each side, marks do
// not, so placed rectangles stay at least a pixel apart. Parts of a
// rectangle outside the bitmap are ignored; a rectangle wholly outside is
// never free. One thread at a time.
class MaskArea : public CommonProc {
public:
    MaskArea() = default;
    MaskArea(uint32_t width, uint32_t height);
    ~MaskArea() override = default;

    // Appends `height` clear rows of `width` bits.
    void init(uint32_t width, uint32_t height);
    // Removes all rows.
    void clear();

    // True when the rectangle with top-left corner (x, y) and size w x h,
    // turned by `angle` degrees about its centre (clockwise on the screen),
    // is free. An angle that is not finite counts as 0.
    bool check(int32_t x, int32_t y, uint32_t w, uint32_t h, double angle) const;
    // Marks the rectangle.
    void mask(int32_t x, int32_t y, uint32_t w, uint32_t h, double angle);

    // False when the box (x0, y0) - (x1, y1) lies wholly above, below, left
    // or right of the bitmap, or the bitmap has no rows.
    bool checkRange(double x0, double y0, double x1, double y1) const;
    // Clips an upright rectangle to the bitmap and gives the row after its
    // last; false when it lies wholly outside.
    bool trimRange(int64_t& x, int64_t& y, int64_t& w, int64_t& h, int64_t& rowEnd) const;
    // The row runs covered by the turned rectangle; false when it lies
    // wholly outside. Rows outside the bitmap are left out.
    bool getBufferLines(int64_t x, int64_t y, int64_t w, int64_t h, double angle,
                        std::vector<_BufferLine>& lines) const;

    size_t rowCount() const { return m_lines.size(); }
    const MaskLine& row(size_t index) const { return m_lines[index]; }

private:
    uint32_t widthInBits() const { return m_lines.empty() ? 0 : m_lines.front().size(); }
    void uprightLines(const GeoBaseBox& box, std::vector<_BufferLine>& lines) const;
    void slantedLines(const GeoBasePoly& outline, const GeoBaseBox& box, std::vector<_BufferLine>& lines) const;

    std::vector<MaskLine> m_lines;
    int32_t m_margin = 1;
};

#endif
