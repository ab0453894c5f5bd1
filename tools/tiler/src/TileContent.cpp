#include "TileContent.h"

#include <iterator>

#include "RecipeLayer.h"

void TileContent::addRecords(int section, int layer, const std::string& category, bool area,
                             std::vector<std::vector<uint32_t>>&& records) {
    if (records.empty()) return;
    auto& sectionGroups = section == RecipeLayer::BACKGROUND ? m_background : m_ground;
    Group& group = sectionGroups[GroupKey(layer, category, area)];
    group.category = category;
    group.area = area;
    group.records.insert(group.records.end(), std::make_move_iterator(records.begin()),
                         std::make_move_iterator(records.end()));
}

void TileContent::addLabel(int layer, const std::string& category, LabelPoint&& label) {
    m_labels[LabelKey(layer, category)].push_back(std::move(label));
}

const std::map<TileContent::GroupKey, TileContent::Group>& TileContent::groups(int section) const {
    return section == RecipeLayer::BACKGROUND ? m_background : m_ground;
}
