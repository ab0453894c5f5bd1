#include "ReadDataParam.h"

#include <cstdlib>

#include "CommonProc.h"
#include "K7DataGroup.h"
#include "K7DataNumber.h"
#include "K7DataText.h"
#include "K7DataType.h"
#include "Log.h"

namespace {

template <typename T>
bool readNumber(K7DataBase* record, int64_t& out) {
    auto* number = dynamic_cast<K7DataNumber<T>*>(record);
    if (number == nullptr) return false;
    out = static_cast<int64_t>(number->getContents());
    return true;
}

}  // namespace

bool ReadDataParam::firstText(K7DataGroup& group, const std::string& tag, std::string& out) {
    const std::vector<K7DataBase*>& children = group.getContents(tag);
    if (children.empty()) return false;
    auto* text = dynamic_cast<K7DataText*>(children.front());
    if (text == nullptr) return false;
    out = text->getContents();
    return true;
}

std::vector<std::string> ReadDataParam::allTexts(K7DataGroup& group, const std::string& tag) {
    std::vector<std::string> texts;
    for (K7DataBase* child : group.getContents(tag)) {
        if (auto* text = dynamic_cast<K7DataText*>(child)) texts.push_back(text->getContents());
    }
    return texts;
}

bool ReadDataParam::firstNumber(K7DataGroup& group, const std::string& tag, int64_t& out) {
    const std::vector<K7DataBase*>& children = group.getContents(tag);
    return !children.empty() && numberOf(children.front(), out);
}

K7DataGroup* ReadDataParam::firstGroup(K7DataGroup& group, const std::string& tag) {
    const std::vector<K7DataBase*>& children = group.getContents(tag);
    return children.empty() ? nullptr : dynamic_cast<K7DataGroup*>(children.front());
}

bool ReadDataParam::numberOf(K7DataBase* record, int64_t& out) {
    switch (record->getMajorType()) {
        case K7DATA_TYPE_NUMBER_UINT8:
            return readNumber<uint8_t>(record, out);
        case K7DATA_TYPE_NUMBER_UINT16:
            return readNumber<uint16_t>(record, out);
        case K7DATA_TYPE_NUMBER_UINT32:
            return readNumber<uint32_t>(record, out);
        case K7DATA_TYPE_NUMBER_UINT64:
            return readNumber<uint64_t>(record, out);
        case K7DATA_TYPE_NUMBER_INT16:
            return readNumber<int16_t>(record, out);
        case K7DATA_TYPE_NUMBER_INT64:
            return readNumber<int64_t>(record, out);
        default:
            return false;
    }
}

std::vector<std::string> ReadDataParam::acceptedValues(K7DataGroup& values) {
    std::vector<std::string> accepted = allTexts(values, "clv");
    const CommonProc proc;
    for (const std::string& range : allTexts(values, "exv")) {
        std::vector<std::string> parts;
        proc.split(parts, range, "-");
        const int64_t low = std::atol(parts.front().c_str());
        const int64_t high = std::atol(parts.back().c_str());
        if (high < low) continue;
        // Counted in unsigned arithmetic: the span of two int64 values may
        // not fit an int64.
        uint64_t count = static_cast<uint64_t>(high) - static_cast<uint64_t>(low) + 1;
        if (count == 0 || count > MAX_RANGE) {
            K7D_LOG_WARNING("", "range too wide, cut at", MAX_RANGE, "values:", range);
            count = MAX_RANGE;
        }
        for (uint64_t i = 0; i < count; ++i) {
            accepted.push_back(
                std::to_string(static_cast<int64_t>(static_cast<uint64_t>(low) + i)));
        }
    }
    return accepted;
}
