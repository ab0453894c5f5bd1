#include "DesignRecord.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qiv {

namespace {

template <typename T>
T truncateClamped(float value) {
    if (std::isnan(value)) return 0;
    const float low = static_cast<float>(std::numeric_limits<T>::min());
    const float high = static_cast<float>(std::numeric_limits<T>::max());
    return static_cast<T>(std::trunc(std::clamp(value, low, high)));
}

}  // namespace

K7DataGroup* DesignRecord::child(K7DataGroup& group, size_t index) {
    const auto& children = group.getContents();
    return index < children.size() ? dynamic_cast<K7DataGroup*>(children[index]) : nullptr;
}

K7DataGroup* DesignRecord::firstCategory(K7DataGroup& group) {
    const auto& children = group.getContents("ctg");
    return children.empty() ? nullptr : dynamic_cast<K7DataGroup*>(children.front());
}

int16_t DesignRecord::toInt16(float value) { return truncateClamped<int16_t>(value); }

uint16_t DesignRecord::toUint16(float value) { return truncateClamped<uint16_t>(value); }

uint8_t DesignRecord::toUint8(float value) { return truncateClamped<uint8_t>(value); }

float DesignRecord::toFloat(double value) {
    if (!std::isfinite(value)) return static_cast<float>(value);
    const double limit = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -limit, limit));
}

}  // namespace qiv
