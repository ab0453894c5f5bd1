#include "BaseDesign.h"

#include "DesignRecord.h"
#include "K7DataNumber.h"
#include "K7DataText.h"
#include "Log.h"

namespace qiv {

const std::string BaseDesign::POLYLINE = "line";
const std::string BaseDesign::POLYGON = "polygon";
const std::string BaseDesign::TEXT = "text";

BaseDesign::BaseDesign(const std::string& type) : m_type(type) {}

BaseDesign::BaseDesign(const std::string& type, const std::string& name, uint8_t scaleLevel)
    : m_type(type), m_name(name), m_scaleLevel(scaleLevel) {}

BaseDesign::~BaseDesign() = default;

bool BaseDesign::convert(K7DataGroup* group) {
    if (group == nullptr) return false;
    const auto name = DesignRecord::value<K7DataText>(*group, "dcn");
    const auto level = DesignRecord::value<K7DataNumber<uint8_t>>(*group, "scl");
    if (!name || !level) {
        K7D_LOG_ERROR("design group without name or scale level, kind:", m_type);
        return false;
    }
    m_name = *name;
    m_scaleLevel = *level;
    return true;
}

}  // namespace qiv
