#ifndef TOLKMAPS_K7D_STYLERECORD_H
#define TOLKMAPS_K7D_STYLERECORD_H

#include <optional>
#include <string>
#include <utility>

#include "_K7D_STR_COLOR.h"

class K7DataGroup;

// Reads the value of the first record with a tag from a style group,
// whatever value class the record was built or decoded with: any number
// class for numbers, any position class for positions. Nothing when the
// group has no such record or it holds another kind of value.
class StyleRecord {
public:
    static std::optional<double> number(K7DataGroup& group, const std::string& tag);
    static std::optional<_K7D_STR_COLOR> color(K7DataGroup& group, const std::string& tag);
    static std::optional<std::pair<double, double>> position(K7DataGroup& group, const std::string& tag);
    static std::optional<std::string> text(K7DataGroup& group, const std::string& tag);
};

#endif
