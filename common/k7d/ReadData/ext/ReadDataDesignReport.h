#ifndef TOLKMAPS_K7D_READDATADESIGNREPORT_H
#define TOLKMAPS_K7D_READDATADESIGNREPORT_H

#include <cstdint>
#include <string>
#include <vector>

// The report of one design table row: a header with the row number, a
// section of missing required values and a section of column problems, one
// line per problem, in Japanese. Items are column numbers counted from 1;
// positions count the values of a "|"-separated field from 1.
class ReadDataDesignReport {
public:
    // Starts the report of row `rowNumber` (counted from 1).
    void start(uint32_t rowNumber);
    void beginRequiredSection();
    void beginColumnSection();

    // "項番N" followed by `what`, for one missing required value.
    void missing(unsigned item, const char* what);
    // The items joined by ",", then a line with `what`, for a row that lacks
    // every one of several alternatives.
    void missingAll(const std::vector<unsigned>& items, const char* what);
    void outOfRange(unsigned item, long long value);
    void emptyValue(unsigned item, unsigned position);
    void notNumber(unsigned item, unsigned position, const std::string& value);
    void wrongCount(unsigned item, size_t count);
    void colorOutOfRange(unsigned item, unsigned position, long long value);
    void endSettingOutOfRange(unsigned item, unsigned position, long long value);
    void languageTwice(const std::string& language);

    // Whether anything was reported since start().
    bool hasProblems() const { return m_problems > 0; }
    const std::string& getText() const { return m_text; }

private:
    void addLine(const std::string& line);
    static std::string item(unsigned number);

    std::string m_text;
    unsigned m_problems = 0;
};

#endif
