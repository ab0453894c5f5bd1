#ifndef TOLKMAPS_K7D_READDATAPARAM_H
#define TOLKMAPS_K7D_READDATAPARAM_H

#include <cstdint>
#include <string>
#include <vector>

class K7DataBase;
class K7DataGroup;

// Reads the records of parameter and condition groups. Such a group holds
// "ctg" items; each names a column by "cln" (text) or "clp" (number) and
// holds one "ctg" value group of "clv" texts and "exv" ranges ("low-high").
class ReadDataParam {
public:
    // The text of the first child tagged `tag`; false when there is none or
    // it is not a text record.
    static bool firstText(K7DataGroup& group, const std::string& tag, std::string& out);
    // The texts of all text children tagged `tag`, in order.
    static std::vector<std::string> allTexts(K7DataGroup& group, const std::string& tag);
    // The integer value of the first child tagged `tag`; false when there is
    // none or it is not an integer number record.
    static bool firstNumber(K7DataGroup& group, const std::string& tag, int64_t& out);
    // The first child tagged `tag` if it is a group, else null.
    static K7DataGroup* firstGroup(K7DataGroup& group, const std::string& tag);
    // The integer value of a number record; false for other records.
    static bool numberOf(K7DataBase* record, int64_t& out);
    // The texts a value group accepts: every "clv" text, then for every
    // "exv" text "low-high" the decimal texts of low to high inclusive (both
    // read with atol; an empty range when low > high). A range wider than
    // MAX_RANGE values is cut at that many values and logged.
    static std::vector<std::string> acceptedValues(K7DataGroup& values);

    static constexpr uint64_t MAX_RANGE = 1000000;
};

#endif
