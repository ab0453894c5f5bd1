#ifndef TOLKMAPS_K7D_K7DATATAGTABLE_H
#define TOLKMAPS_K7D_K7DATATAGTABLE_H

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The table that maps each known tag to its type code (120 tags). It is
// built once, on first use, and only read afterwards, so any thread may look
// tags up; looking up an unknown tag never adds it.
class K7DataTagTable {
public:
    // One tag as a number: its first three bytes, first byte lowest; a text
    // that ends sooner is not read past its terminating 0.
    static uint32_t key(const char* tag) {
        uint32_t value = 0;
        for (unsigned i = 0; i < 3 && tag[i] != '\0'; ++i) {
            value |= static_cast<uint32_t>(static_cast<uint8_t>(tag[i])) << (8 * i);
        }
        return value;
    }

    // The type code of the tag's first three bytes; 0 for a tag not in the table.
    static int32_t find(const char* tag);
    // The table by tag text.
    static const std::map<std::string, int32_t>& byName();
    // The table as (key, code) pairs in ascending key order.
    static const std::vector<std::pair<uint32_t, int32_t>>& byKey();
};

#endif
