#ifndef TOLKMAPS_MODEL_LINEDESIGN_H
#define TOLKMAPS_MODEL_LINEDESIGN_H

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "BaseDesign.h"
#include "_K7D_STR_COLOR.h"

namespace qiv {

// A line design (kind POLYLINE), read from an "lng" group: width in pixels
// ("lnw" truncated toward zero), colour, and the optional end settings
// ("ley"), offset ("ofs", x and y) and pattern ("lnp").
class LineDesign : public BaseDesign {
public:
    LineDesign();
    // A design made in code, without end settings, offset or pattern.
    LineDesign(const std::string& name, uint8_t scaleLevel, int16_t width, const _K7D_STR_COLOR& color);

    bool convert(K7DataGroup* group) override;

    int16_t getWidth() const { return m_width; }
    const _K7D_STR_COLOR& getColor() const { return m_color; }
    const std::optional<std::array<uint8_t, 3>>& getEndSettings() const { return m_endSettings; }
    const std::optional<std::array<double, 2>>& getOffset() const { return m_offset; }
    const std::optional<std::string>& getPattern() const { return m_pattern; }

private:
    int16_t m_width = 0;
    _K7D_STR_COLOR m_color;
    std::optional<std::array<uint8_t, 3>> m_endSettings;
    std::optional<std::array<double, 2>> m_offset;
    std::optional<std::string> m_pattern;
};

}  // namespace qiv

#endif
