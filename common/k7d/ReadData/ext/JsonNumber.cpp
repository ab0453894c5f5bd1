#include "JsonNumber.h"

#include <cmath>

const picojson::value& JsonNumber::element(const picojson::value& array, size_t index) {
    const picojson::array& elements = array.get<picojson::array>();
    if (index >= elements.size()) {
        throw std::runtime_error("JSON array too short: element " + std::to_string(index) + " of " +
                                 std::to_string(elements.size()));
    }
    return elements[index];
}

double JsonNumber::truncated(double value, double low, double high) {
    const double whole = std::trunc(value);
    if (!(whole >= low && whole < high)) outOfRange(value);
    return whole;
}

double JsonNumber::limited(double value, double low, double high) {
    if (!(value >= low && value <= high)) outOfRange(value);
    return value;
}

void JsonNumber::outOfRange(double value) {
    throw std::range_error("JSON number out of range: " + std::to_string(value));
}
