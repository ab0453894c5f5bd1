#ifndef TOLKMAPS_MODEL_DESIGNOBJECT_H
#define TOLKMAPS_MODEL_DESIGNOBJECT_H

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "_K7D_STR_COLOR.h"

class K7DataGroup;

namespace qiv {

class BaseDesign;

// One design set: its name, background colour and designs by scale level and
// design name. A set group holds three "ctg" groups: a header ("dfn" name,
// "pyc" background), the icons (read by the renderer, not here) and the
// designs: [0] line and area design groups, [1] point design groups.
//
// Every scale level 2 to 21 also gets a "QuadLine" line design (width 1,
// grey, half transparent) for the outlines drawn per tile. Depth orders the
// designs of one level in table order: line and area designs from 0 in steps
// of 0.1, point designs again from 0. Owns its designs; read-only after
// convert.
class DesignObject {
public:
    // Scale levels 0 to LEVEL_COUNT - 1 hold designs; others are left out.
    static constexpr unsigned LEVEL_COUNT = 22;
    static const char* const QUAD_LINE;

    DesignObject();
    ~DesignObject();
    DesignObject(const DesignObject&) = delete;
    DesignObject& operator=(const DesignObject&) = delete;

    // Builds the designs of a set group. False, with a log line, when the
    // header lacks its name or background colour; designs that cannot be
    // read are left out with a log line.
    bool convert(K7DataGroup* set);
    // The designs of that name at exactly that level, in table order; an
    // empty list when there are none.
    const std::vector<BaseDesign*>& getDesign(uint8_t scaleLevel, const std::string& name) const;

    const std::string& getName() const { return m_name; }
    const _K7D_STR_COLOR& getBackgroundColor() const { return m_backgroundColor; }

private:
    bool readHeader(K7DataGroup* header);
    void readGroups(K7DataGroup* groups, bool points);
    void addQuadLines();
    // Gives the design its depth and files it; a design whose level is out
    // of range is destroyed with a log line.
    void add(BaseDesign* design);
    void clear();

    std::string m_name;
    _K7D_STR_COLOR m_backgroundColor;
    std::map<uint8_t, std::unordered_map<std::string, std::vector<BaseDesign*>>> m_designs;
    const std::vector<BaseDesign*> m_emptyList{};
    std::array<float, LEVEL_COUNT> m_depth{};
};

}  // namespace qiv

#endif
