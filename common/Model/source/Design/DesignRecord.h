#ifndef TOLKMAPS_MODEL_DESIGNRECORD_H
#define TOLKMAPS_MODEL_DESIGNRECORD_H

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

#include "K7DataGroup.h"

namespace qiv {

// Typed access to the records of a design group. Decoded groups hold the
// generic value classes, so records are matched by value class, not by
// their named class.
class DesignRecord {
public:
    // The first child tagged `tag` if it is a `Record`, else null.
    template <typename Record>
    static Record* first(K7DataGroup& group, const std::string& tag) {
        const auto& children = group.getContents(tag);
        return children.empty() ? nullptr : dynamic_cast<Record*>(children.front());
    }

    // The value of the first child tagged `tag`, or nothing when there is no
    // such `Record`.
    template <typename Record>
    static auto value(K7DataGroup& group, const std::string& tag)
        -> std::optional<std::decay_t<decltype(std::declval<const Record&>().getContents())>> {
        if (const Record* record = first<Record>(group, tag)) return record->getContents();
        return std::nullopt;
    }

    // The index-th child in content order if it is a group, else null.
    static K7DataGroup* child(K7DataGroup& group, size_t index);
    // The first "ctg" child if it is a group, else null.
    static K7DataGroup* firstCategory(K7DataGroup& group);

    // Truncation toward zero, clamped to the target's range.
    static int16_t toInt16(float value);
    static uint16_t toUint16(float value);
    static uint8_t toUint8(float value);
    // The nearest float, clamped to the float range.
    static float toFloat(double value);
};

}  // namespace qiv

#endif
