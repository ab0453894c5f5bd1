#ifndef TOLKMAPS_TESTS_TILELAYOUTCHECK_H
#define TOLKMAPS_TESTS_TILELAYOUTCHECK_H

#include <string>
#include <vector>

#include "K7DataCtg.h"
#include "K7DataGroup.h"
#include "K7DataLine.h"
#include "K7DataPoint.h"
#include "K7DataText.h"
#include "TileGrid.h"

namespace tilelayout {

inline K7DataGroup* group(K7DataBase* record) { return dynamic_cast<K7DataGroup*>(record); }

inline std::string textOf(K7DataBase* record) {
    auto* text = dynamic_cast<K7DataText*>(record);
    return text ? text->getContents() : "<not a text>";
}

// Collects what is wrong with one tile, each problem as a line: the layout
// the kit reads (header with the quad key, four sections, one language
// "jpn" and no indoor data in section 0, "pgg"/"lng" design groups of "ln4"
// records, areas as whole triangles, "mag" label groups whose labels carry
// "oid", "dfg", "vtc", "adp", texts and an anchor inside the tile).
class LayoutCheck {
public:
    LayoutCheck(const std::string& key, K7DataCtg& tile) : m_key(key), m_box(TileGrid::box(key)) { check(tile); }
    const std::vector<std::string>& problems() const { return m_problems; }

private:
    void fail(const std::string& problem) { m_problems.push_back(m_key + ": " + problem); }

    void check(K7DataCtg& tile) {
        const auto& parts = tile.getContents();
        if (parts.size() != 2 || !group(parts[0]) || !group(parts[1])) return fail("not a header and a body");
        const auto& header = group(parts[0])->getContents("qak");
        if (header.size() != 1 || textOf(header[0]) != m_key) fail("header does not hold the quad key");
        const auto& sections = group(parts[1])->getContents();
        if (sections.size() != 4) return fail("body does not hold four sections");
        for (auto* section : sections) {
            if (section->getType() != "ctg" || !group(section)) return fail("a section is not a group");
        }
        checkLanguages(*group(sections[0]));
        checkGeometry(*group(sections[1]));
        checkGeometry(*group(sections[2]));
        checkPoints(*group(sections[3]));
    }

    void checkLanguages(K7DataGroup& section) {
        const auto& children = section.getContents();
        if (children.empty() || !group(children[0])) return fail("section 0 has no language group");
        const auto& codes = group(children[0])->getContents();
        if (codes.size() != 1 || codes[0]->getType() != "lgt" || textOf(codes[0]) != "jpn")
            fail("section 0 does not list the language \"jpn\"");
        if (!group(children[0])->getContents("dly").empty()) fail("section 0 claims indoor data");
    }

    void checkGeometry(K7DataGroup& section) {
        for (auto* child : section.getContents()) {
            const bool area = child->getType() == "pgg";
            if (!area && child->getType() != "lng") return fail("unexpected design group " + child->getType());
            auto& designGroup = *group(child);
            if (designGroup.getContents("dcn").empty()) fail("design group without \"dcn\"");
            const auto& lists = designGroup.getContents("ctg");
            if (lists.empty()) return fail("design group without geometry");
            for (auto* record : group(lists[0])->getContents()) checkLine(record, area);
        }
    }

    void checkLine(K7DataBase* record, bool area) {
        auto* line = dynamic_cast<K7DataLine<uint32_t>*>(record);
        if (record->getType() != "ln4" || !line) return fail("geometry record " + record->getType());
        const size_t points = line->getContents().getPtNum();
        if (area && (points == 0 || points % 3 != 0)) fail("area record of " + std::to_string(points) + " points");
        if (!area && (points < 2 || points > 16000)) fail("line record of " + std::to_string(points) + " points");
    }

    void checkPoints(K7DataGroup& section) {
        for (auto* child : section.getContents()) {
            if (child->getType() != "mag") return fail("point section holds " + child->getType());
            auto& category = *group(child);
            const auto& labels = category.getContents("ctg");
            if (category.getContents("dcn").empty() || labels.empty()) return fail("\"mag\" without dcn or labels");
            for (auto* label : group(labels[0])->getContents()) checkLabel(*group(label));
        }
    }

    void checkLabel(K7DataGroup& label) {
        for (const char* tag : {"oid", "dfg", "vtc", "adp", "ctg", "pt4"}) {
            if (label.getContents(tag).empty()) return fail(std::string("label without \"") + tag + "\"");
        }
        auto* anchor = dynamic_cast<K7DataPoint<uint32_t>*>(label.getContents("pt4")[0]);
        const WorldBox point{anchor->getContents().x(), anchor->getContents().y(), anchor->getContents().x(),
                             anchor->getContents().y()};
        if (!m_box.intersects(point)) fail("label anchor outside the tile");
    }

    std::string m_key;
    WorldBox m_box;
    std::vector<std::string> m_problems;
};

}  // namespace tilelayout

#endif
