#ifndef TOLKMAPS_K7D_K7DATAFACTORY_H
#define TOLKMAPS_K7D_K7DATAFACTORY_H

#include <cstdint>

class K7DataBase;

// Builds the record class of a tag. A tag with a named class (for example
// "ctg", "dcn", "ln4") gets that class, which derives from the generic
// value class of its type code, so the typed lookups of K7DataGroup hold for
// decoded trees; every other tag in the tag table gets the generic class of
// its code; a tag not in the table gets K7DataUnd. Any thread may call it.
class K7DataFactory {
public:
    // A new empty record for the tag's first three bytes, with that tag; the
    // caller owns it.
    static K7DataBase* create(const char* tag);
    // A new empty record of the generic class of a type code: K7DataUnd for
    // 0, 33 and codes outside the table; the caller owns it.
    static K7DataBase* createByCode(int32_t code);
};

#endif
