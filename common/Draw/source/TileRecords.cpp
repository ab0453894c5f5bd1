#include "TileRecords.h"

#include "K7DataGroup.h"
#include "K7DataText.h"

namespace qiv {

K7DataBase* TileRecords::firstTagged(K7DataGroup& group, const char* tag) {
    for (K7DataBase* record : group.getContents()) {
        if (record->getType() == tag) return record;
    }
    return nullptr;
}

K7DataGroup* TileRecords::child(K7DataGroup& group, size_t index) {
    const auto& children = group.getContents();
    return index < children.size() ? dynamic_cast<K7DataGroup*>(children[index]) : nullptr;
}

K7DataGroup* TileRecords::category(K7DataGroup& group, size_t index) {
    for (K7DataBase* record : group.getContents()) {
        if (record->getType() != "ctg") continue;
        if (index-- == 0) return dynamic_cast<K7DataGroup*>(record);
    }
    return nullptr;
}

const std::string* TileRecords::text(K7DataGroup& group, const char* tag) {
    auto* record = dynamic_cast<K7DataText*>(firstTagged(group, tag));
    return record ? &record->getContents() : nullptr;
}

std::string TileRecords::quadKey(K7DataGroup* tile) {
    K7DataGroup* header = tile ? child(*tile, 0) : nullptr;
    const std::string* key = header ? text(*header, "qak") : nullptr;
    return key ? *key : std::string();
}

K7DataGroup* TileRecords::section(K7DataGroup* tile, size_t index) {
    K7DataGroup* body = tile ? child(*tile, 1) : nullptr;
    return body ? category(*body, index) : nullptr;
}

}  // namespace qiv
