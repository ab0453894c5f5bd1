#ifndef TOLKMAPS_K7D_INDIRECTK7DATA_H
#define TOLKMAPS_K7D_INDIRECTK7DATA_H

#include <string>
#include <vector>

class K7DataBase;
class K7DataCtg;

// Selects the rows of a record table that match conditions. The table is a
// group whose "ctg" children are the rows; conditions have the shape of a
// condition group ("ctg" items naming a column by "cln", each with a value
// group of "clv" texts and "exv" ranges). Use: setDataPointer once per table
// and column set, then indirectData as often as needed. The table is not
// owned and must outlive its use here. One thread at a time.
class IndirectK7Data {
public:
    virtual ~IndirectK7Data();

    // Takes the table and finds, in each row, the records of the columns
    // that `conditions` names.
    virtual bool setDataPointer(K7DataCtg* table, K7DataCtg* conditions) = 0;
    // Appends the rows that match every condition to `out`, in table order.
    virtual bool indirectData(std::vector<K7DataCtg*>& out, K7DataCtg* conditions) = 0;
    // Whether `conditions` names the same columns, in the same order, as
    // those given to setDataPointer.
    virtual bool checkConditionType(K7DataCtg* conditions) = 0;
    // Whether `record` equals the value text `value`.
    virtual bool compareCondition(K7DataBase* record, const std::string& value) = 0;
    // Forgets the table and the columns.
    virtual void clear() = 0;

protected:
    virtual bool setDataPointerMain(K7DataCtg* conditions) = 0;
    // The column name of each condition item, in order.
    virtual void makeConditionTypeGroup(std::vector<std::string>& names, K7DataCtg* conditions) = 0;
};

#endif
