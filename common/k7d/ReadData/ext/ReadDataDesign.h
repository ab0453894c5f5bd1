#ifndef TOLKMAPS_K7D_READDATADESIGN_H
#define TOLKMAPS_K7D_READDATADESIGN_H

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ReadDataCSV.h"
#include "ReadDataDesignReport.h"

class K7DataCtg;
class K7DataGroup;

// Reads a design table: one design per row, the shape kind in column 1
// (1 point, 2 line, 3 area; column 0 is free), checked column by column.
// getData appends two groups to the result: [0] the line ("lng") and area
// ("pgg") designs in row order, [1] the point designs ("atg") in the order of
// their first row, each with one "ctg" of label styles (one per language).
// Rows of one point design share its name and scale level; the first of them
// also gives offset, display-flag position and icon. getData answers false
// when any row failed; each failing row's report is logged at level "error".
//
// Multi-value fields separate their values with "|"; a number is an optional
// "-", digits and at most one "."; a leading "0" must end the number or be
// followed by ".".
class ReadDataDesign : public ReadDataCSV {
public:
    enum DESIGN_TYPE { DESIGN_TYPE_POINT = 1, DESIGN_TYPE_LINE = 2, DESIGN_TYPE_AREA = 3 };

    // The least column count of each kind of row.
    static constexpr uint32_t POINT_COLUMNS = 22;
    static constexpr uint32_t LINE_COLUMNS = 9;
    static constexpr uint32_t AREA_COLUMNS = 7;

    ReadDataDesign();
    ~ReadDataDesign() override;

    static bool isNumber(const std::string& field);
    // Reads the design table at `path`, whose lines end with "\r\n", through
    // read, setParam and getData. A new tree owned by the caller, or null
    // when the file cannot be read or any row is bad.
    static K7DataCtg* readTable(const std::string& path);

protected:
    bool putCsvData(const std::string& line, uint32_t row) override;
    bool setCsvData() override;
    bool clearData() override;

private:
    using Columns = std::vector<std::string>;
    struct PointDesign {
        K7DataGroup* decorations;
        std::set<std::string> languages;
    };

    bool putRow(int kind, const Columns& columns);
    bool putPointRow(const Columns& columns);
    bool putLineRow(const Columns& columns);
    bool putAreaRow(const Columns& columns);

    bool checkNameAndLevel(const Columns& columns);
    bool checkPointRequired(const Columns& columns);
    bool checkLineRequired(const Columns& columns);
    bool checkAreaRequired(const Columns& columns);

    PointDesign* makePointDesign(const Columns& columns, bool& converted);
    bool putDecoration(const Columns& columns, PointDesign& design);
    bool putDecorationStyle(const Columns& columns, K7DataGroup& decoration);

    // Column converters: each appends its record to `group` when the column
    // is filled (or always, for the columns with a default) and answers
    // false after reporting a bad value.
    template <typename Record>
    void putText(K7DataGroup& group, const std::string& text);
    template <typename Record>
    bool putInteger(K7DataGroup& group, const Columns& columns, unsigned column, long long low,
                    long long high, bool withDefault = false);
    template <typename Record>
    bool putFloat(K7DataGroup& group, const Columns& columns, unsigned column);
    template <typename Record>
    bool putColor(K7DataGroup& group, const Columns& columns, unsigned column);
    bool putOffset(K7DataGroup& group, const Columns& columns, unsigned column);
    bool putMargin(K7DataGroup& group, const Columns& columns, unsigned column);
    bool putEndSettings(K7DataGroup& group, const Columns& columns, unsigned column);
    bool putPattern(K7DataGroup& group, const Columns& columns, unsigned column);

    // Splits a "|"-separated field and checks the value count (when
    // `count` is not 0) and that every value is a number.
    bool numbers(const Columns& columns, unsigned column, size_t count,
                 std::vector<std::string>& values);
    bool checkNumber(unsigned item, unsigned position, const std::string& value);

    ReadDataDesignReport m_report;
    std::unique_ptr<K7DataCtg> m_lineAreaDesigns;
    std::unique_ptr<K7DataCtg> m_pointDesignGroups;
    // By (design name, scale level text), in the order of creation through
    // m_pointDesignGroups.
    std::map<std::pair<std::string, std::string>, PointDesign> m_pointDesigns;
};

#endif
