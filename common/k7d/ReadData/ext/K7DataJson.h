#ifndef TOLKMAPS_K7D_K7DATAJSON_H
#define TOLKMAPS_K7D_K7DATAJSON_H

#include <string>
#include <utility>

#include "JsonData.h"

class K7DataBase;

// The JSON form of records. A group is an array with one single-member
// object per child, in child order, whose key is the child's tag; every
// value class has one fixed shape ([x, y] for positions and points, [r, g, b,
// a] for colours, a string for texts, a number for numbers, ...). Numbers go
// into fields by the rules of JsonNumber. Records without a value
// (K7DataUnd) are written as null and accept any value.
//
// Reading throws: std::runtime_error for a value of the wrong kind or an
// array shorter than its shape (children converted before stay in their
// groups), std::range_error for a number that does not fit its field,
// std::out_of_range for a date shorter than eight characters; writing throws
// std::overflow_error for a NaN or infinite coordinate.
class K7DataJson {
public:
    using Pair = std::pair<std::string, JsonData>;

    // The record's value in its JSON form.
    static JsonData makeJson(K7DataBase& record);
    static JsonData getJson(K7DataBase& record) { return makeJson(record); }
    // Sets the record's value from its JSON form. A group appends the new
    // children after those it holds and recomputes its size.
    static void setFromJson(K7DataBase& record, const JsonData& value);
    // Takes the first three characters of the key as the tag, sets the type
    // code, the value and the size.
    static void setJson(K7DataBase& record, const Pair& pair);
    // A new record of the class that the tag table gives for the pair's key,
    // set from the pair; the caller owns it.
    static K7DataBase* makeK7Data(const Pair& pair);
    static const std::string& getKey(const Pair& pair) { return pair.first; }
};

#endif
