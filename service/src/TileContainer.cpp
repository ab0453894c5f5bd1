#include "TileContainer.h"

#include "EncodedRecord.h"
#include "K7DataCtg.h"

#include <stdexcept>

std::string TileContainer::encode(const std::vector<std::string_view>& tiles) {
    K7DataCtg container;
    for (std::string_view tile : tiles) {
        if (tile.compare(0, 3, "ctg") != 0) throw std::invalid_argument("a tile must be a ctg record");
        container.addContents(new EncodedRecord(tile.data(), tile.size()));
    }
    uint32_t length = container.getSizeAll();
    const char* bytes = container.getBinary();
    return std::string(bytes, length);
}

bool TileContainer::isTileRecord(const std::string& tile) {
    if (tile.compare(0, 3, "ctg") != 0) return false;
    try {
        EncodedRecord record(tile.data(), tile.size());
    } catch (const std::invalid_argument&) {
        return false;
    }
    return true;
}

std::string TileContainer::quadKeyOf(const std::string& tile) {
    K7DataCtg record;
    if (!record.setBinaryBounded(tile.data(), tile.size())) return std::string();
    const auto& children = record.getContents();
    auto* first = children.empty() ? nullptr : dynamic_cast<K7DataGroup*>(children.front());
    if (!first || first->getType() != "ctg") return std::string();
    const auto& grandChildren = first->getContents();
    if (grandChildren.empty() || grandChildren.front()->getType() != "qak") return std::string();
    const char* text = grandChildren.front()->getData();
    return std::string(text, grandChildren.front()->getSize());
}
