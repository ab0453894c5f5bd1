// Feeds arbitrary bytes to the JSON record reader: the text is parsed and,
// when its top value is an array, converted into a record group the way the
// JSON file reader does. Refusals are exceptions or a false answer; whatever
// is accepted must write a JSON form that reads back to the same form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "JsonData.h"
#include "K7DataCtg.h"
#include "K7DataJson.h"

namespace {

// The JSON form of a group read from `value`, or false when it is refused.
bool convert(const JsonData& value, std::string& form) {
    K7DataCtg group;
    try {
        K7DataJson::setJson(group, {"ctg", value});
    } catch (const std::exception&) {
        return false;
    }
    form = K7DataJson::makeJson(group).serialize();
    // The binary form of an accepted tree must be writable.
    group.getBinary();
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    JsonData value;
    std::string error;
    if (!value.parse(reinterpret_cast<const char*>(data), size, error)) return 0;
    if (!value.isArray()) return 0;
    std::string first;
    if (!convert(value, first)) return 0;

    JsonData written;
    if (!written.parse(first.data(), first.size(), error)) std::abort();
    std::string second;
    if (!convert(written, second) || second != first) std::abort();
    return 0;
}
