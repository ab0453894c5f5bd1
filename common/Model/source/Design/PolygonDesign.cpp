#include "PolygonDesign.h"

#include "DesignRecord.h"
#include "K7DataColor.h"
#include "K7DataNumber.h"
#include "K7DataPosition.h"

namespace qiv {

PolygonDesign::PolygonDesign() : BaseDesign(POLYGON) {}

bool PolygonDesign::convert(K7DataGroup* group) {
    if (!BaseDesign::convert(group)) return false;
    m_color = DesignRecord::value<K7DataColor>(*group, "pyc");
    m_iconNumber = DesignRecord::value<K7DataNumber<uint16_t>>(*group, "icn");
    if (const auto offset = DesignRecord::value<K7DataPosition<double>>(*group, "ofs")) {
        m_offset = std::array<float, 2>{DesignRecord::toFloat(offset->x), DesignRecord::toFloat(offset->y)};
    }
    return true;
}

}  // namespace qiv
