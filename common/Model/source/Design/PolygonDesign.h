#ifndef TOLKMAPS_MODEL_POLYGONDESIGN_H
#define TOLKMAPS_MODEL_POLYGONDESIGN_H

#include <array>
#include <cstdint>
#include <optional>

#include "BaseDesign.h"
#include "_K7D_STR_COLOR.h"

namespace qiv {

// An area design (kind POLYGON), read from a "pgg" group: the optional fill
// colour ("pyc"), icon number ("icn") and offset ("ofs", x and y).
class PolygonDesign : public BaseDesign {
public:
    PolygonDesign();

    bool convert(K7DataGroup* group) override;

    const std::optional<_K7D_STR_COLOR>& getColor() const { return m_color; }
    const std::optional<uint16_t>& getIconNumber() const { return m_iconNumber; }
    const std::optional<std::array<float, 2>>& getOffset() const { return m_offset; }

private:
    std::optional<_K7D_STR_COLOR> m_color;
    std::optional<uint16_t> m_iconNumber;
    std::optional<std::array<float, 2>> m_offset;
};

}  // namespace qiv

#endif
