#ifndef TOLKMAPS_K7D_INDIRECTK7DATAMASTER_H
#define TOLKMAPS_K7D_INDIRECTK7DATAMASTER_H

#include <map>
#include <string>
#include <vector>

#include "IndirectK7Data.h"

class K7DataGroup;

// Row selection over a master table. For each row and condition column the
// first record with the column's tag is found: among the row's own children,
// else depth first through its "ctg" children; a row's search stops at the
// first column it lacks. A row matches a condition when any accepted value
// (every "clv" text, and every integer of every "exv" range "low-high")
// equals one of its records of that column: texts and dates byte for byte,
// 8-, 16-, 32- and 64-bit unsigned numbers against the value read as a
// decimal integer and narrowed to their width. Other record kinds never match
// and are logged.
class IndirectK7DataMaster : public IndirectK7Data {
public:
    ~IndirectK7DataMaster() override;

    bool setDataPointer(K7DataCtg* table, K7DataCtg* conditions) override;
    bool indirectData(std::vector<K7DataCtg*>& out, K7DataCtg* conditions) override;
    bool checkConditionType(K7DataCtg* conditions) override;
    bool compareCondition(K7DataBase* record, const std::string& value) override;
    void clear() override;

protected:
    bool setDataPointerMain(K7DataCtg* conditions) override;
    void makeConditionTypeGroup(std::vector<std::string>& names, K7DataCtg* conditions) override;

private:
    using RowRecords = std::map<std::string, std::vector<K7DataBase*>>;

    // The first record tagged `tag` in `group`, else in its "ctg" children depth first.
    static K7DataBase* findRecord(K7DataGroup& group, const std::string& tag);
    // Whether any of `values` equals any record that row `row` holds under `column`.
    bool getHitRec(size_t row, const std::string& column, const std::vector<std::string>& values);
    // Keeps the candidates that match one condition item.
    void filterRows(std::vector<size_t>& candidates, K7DataGroup& item);

    K7DataCtg* m_table = nullptr;
    std::vector<K7DataCtg*> m_rows;
    std::vector<std::string> m_columns;
    std::vector<RowRecords> m_rowRecords;
};

#endif
