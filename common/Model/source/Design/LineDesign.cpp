#include "LineDesign.h"

#include "DesignRecord.h"
#include "K7DataColor.h"
#include "K7DataNumber.h"
#include "K7DataPosition.h"
#include "K7DataSimple.h"
#include "K7DataText.h"

namespace qiv {

LineDesign::LineDesign() : BaseDesign(POLYLINE) {}

LineDesign::LineDesign(const std::string& name, uint8_t scaleLevel, int16_t width, const _K7D_STR_COLOR& color)
    : BaseDesign(POLYLINE, name, scaleLevel), m_width(width), m_color(color) {}

bool LineDesign::convert(K7DataGroup* group) {
    if (!BaseDesign::convert(group)) return false;
    m_width = DesignRecord::toInt16(DesignRecord::value<K7DataNumber<float>>(*group, "lnw").value_or(0.0f));
    m_color = DesignRecord::value<K7DataColor>(*group, "lnc").value_or(_K7D_STR_COLOR());
    if (const auto ends = DesignRecord::value<K7DataSimple<K7D_STR_LEY>>(*group, "ley")) {
        m_endSettings = std::array<uint8_t, 3>{ends->setting[0], ends->setting[1], ends->setting[2]};
    }
    if (const auto offset = DesignRecord::value<K7DataPosition<double>>(*group, "ofs")) {
        m_offset = std::array<double, 2>{offset->x, offset->y};
    }
    m_pattern = DesignRecord::value<K7DataText>(*group, "lnp");
    return true;
}

}  // namespace qiv
