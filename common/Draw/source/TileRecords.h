#ifndef TOLKMAPS_DRAW_TILERECORDS_H
#define TOLKMAPS_DRAW_TILERECORDS_H

#include <cstddef>
#include <string>

class K7DataBase;
class K7DataGroup;

namespace qiv {

// Read-only access to the records of a decoded tile. A tile from the memory
// cache may be read by label workers at the same time as by the render
// thread, so lookups walk a group's content list and never its tag index
// (which remembers the tags it is asked for).
//
// Tile layout: root child 0 is the header with the "qak" quad key; root
// child 1 is the body, whose "ctg" children are the sections.
class TileRecords {
public:
    // The first child with `tag`, or null.
    static K7DataBase* firstTagged(K7DataGroup& group, const char* tag);
    // The index-th child in content order if it is a group, else null.
    static K7DataGroup* child(K7DataGroup& group, size_t index);
    // The index-th "ctg" child, or null.
    static K7DataGroup* category(K7DataGroup& group, size_t index);
    // The text of the first text record with `tag`, or null.
    static const std::string* text(K7DataGroup& group, const char* tag);
    // The quad key in a tile's header; empty when there is none.
    static std::string quadKey(K7DataGroup* tile);
    // The index-th section of a tile's body, or null.
    static K7DataGroup* section(K7DataGroup* tile, size_t index);
};

}  // namespace qiv

#endif
