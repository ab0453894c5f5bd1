#ifndef TOLKMAPS_TILER_TILECONTENT_H
#define TOLKMAPS_TILER_TILECONTENT_H

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "LabelPoint.h"

// What one tile collects before it is encoded: per section, design groups
// of triangle lists or polylines by category, and point labels by
// category. Groups keep the order of the recipe layers that made them.
class TileContent {
public:
    // A design group: its category, whether it holds areas (triangle lists)
    // or lines, and its geometry records (x, y, x, y, ...).
    struct Group {
        std::string category;
        bool area = false;
        std::vector<std::vector<uint32_t>> records;
    };
    // (recipe layer, category, area): the order groups are written in.
    using GroupKey = std::tuple<int, std::string, bool>;
    using LabelKey = std::pair<int, std::string>;

    void addRecords(int section, int layer, const std::string& category, bool area,
                    std::vector<std::vector<uint32_t>>&& records);
    void addLabel(int layer, const std::string& category, LabelPoint&& label);

    // The groups of section 1 (background) or 2 (ground).
    const std::map<GroupKey, Group>& groups(int section) const;
    const std::map<LabelKey, std::vector<LabelPoint>>& labels() const { return m_labels; }
    bool empty() const { return m_background.empty() && m_ground.empty() && m_labels.empty(); }

private:
    std::map<GroupKey, Group> m_background;
    std::map<GroupKey, Group> m_ground;
    std::map<LabelKey, std::vector<LabelPoint>> m_labels;
};

#endif
