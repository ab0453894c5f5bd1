#include "DesignObject.h"

#include <memory>

#include "DesignRecord.h"
#include "K7DataColor.h"
#include "K7DataText.h"
#include "LineDesign.h"
#include "Log.h"
#include "PolygonDesign.h"
#include "TextDesign.h"

namespace qiv {

namespace {

constexpr float DEPTH_STEP = 0.1f;
constexpr uint8_t FIRST_QUAD_LINE_LEVEL = 2;
const _K7D_STR_COLOR QUAD_LINE_COLOR{127, 127, 127, 127};

std::unique_ptr<BaseDesign> makeDesign(K7DataBase* record, bool points) {
    if (points) return std::make_unique<TextDesign>();
    if (record->getType() == "lng") return std::make_unique<LineDesign>();
    if (record->getType() == "pgg") return std::make_unique<PolygonDesign>();
    return nullptr;
}

}  // namespace

const char* const DesignObject::QUAD_LINE = "QuadLine";

DesignObject::DesignObject() = default;

DesignObject::~DesignObject() { clear(); }

bool DesignObject::convert(K7DataGroup* set) {
    clear();
    K7DataGroup* header = set ? DesignRecord::child(*set, 0) : nullptr;
    if (!readHeader(header)) return false;
    K7DataGroup* designs = DesignRecord::child(*set, 2);
    m_depth.fill(0.0f);
    readGroups(designs ? DesignRecord::child(*designs, 0) : nullptr, false);
    addQuadLines();
    m_depth.fill(0.0f);
    readGroups(designs ? DesignRecord::child(*designs, 1) : nullptr, true);
    return true;
}

const std::vector<BaseDesign*>& DesignObject::getDesign(uint8_t scaleLevel, const std::string& name) const {
    const auto level = m_designs.find(scaleLevel);
    if (level == m_designs.end()) return m_emptyList;
    const auto designs = level->second.find(name);
    return designs == level->second.end() ? m_emptyList : designs->second;
}

bool DesignObject::readHeader(K7DataGroup* header) {
    const auto name = header ? DesignRecord::value<K7DataText>(*header, "dfn") : std::nullopt;
    const auto background = header ? DesignRecord::value<K7DataColor>(*header, "pyc") : std::nullopt;
    if (!name || !background) {
        K7D_LOG_ERROR("design set without a header of name and background colour");
        return false;
    }
    m_name = *name;
    m_backgroundColor = *background;
    return true;
}

void DesignObject::readGroups(K7DataGroup* groups, bool points) {
    if (groups == nullptr) return;
    for (K7DataBase* record : groups->getContents()) {
        std::unique_ptr<BaseDesign> design = makeDesign(record, points);
        if (!design) continue;
        if (!design->convert(dynamic_cast<K7DataGroup*>(record))) {
            K7D_LOG_ERROR("design left out of set:", m_name);
            continue;
        }
        add(design.release());
    }
}

void DesignObject::addQuadLines() {
    for (unsigned level = FIRST_QUAD_LINE_LEVEL; level < LEVEL_COUNT; ++level) {
        auto* quadLine = new LineDesign(QUAD_LINE, static_cast<uint8_t>(level), 1, QUAD_LINE_COLOR);
        m_designs[quadLine->getScaleLevel()][QUAD_LINE].push_back(quadLine);
    }
}

void DesignObject::add(BaseDesign* design) {
    const uint8_t level = design->getScaleLevel();
    if (level >= LEVEL_COUNT) {
        K7D_LOG_WARNING("design above the last scale level left out:", design->getName(), level);
        delete design;
        return;
    }
    design->setDepth(m_depth[level]);
    m_depth[level] += DEPTH_STEP;
    m_designs[level][design->getName()].push_back(design);
}

void DesignObject::clear() {
    for (auto& level : m_designs) {
        for (auto& named : level.second) {
            for (BaseDesign* design : named.second) delete design;
        }
    }
    m_designs.clear();
}

}  // namespace qiv
