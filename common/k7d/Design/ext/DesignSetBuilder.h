#ifndef TOLKMAPS_K7D_DESIGNSETBUILDER_H
#define TOLKMAPS_K7D_DESIGNSETBUILDER_H

#include <string>
#include <vector>

#include "IconImage.h"
#include "_K7D_STR_COLOR.h"

class K7DataCtg;

// Builds the global data of the kit's design sets from design tables and
// icon images, for the map service to hand out. The result is a "ctg" with
// one set group per set, each holding three "ctg" groups: the header ("dfn"
// set name, "pyc" background colour), the icons (one atlas: "iu1" image and a
// "ctg" of "icn"/"iml" entries) and the designs as the design table reader
// gives them. Needs no GL.
//
// Design directory: "sets.csv" lists the sets, one "name,r|g|b|a" line each
// (background colour; "//" comments and empty lines skipped); each set's
// design table is the file named like the set. Icon directory: "icons.csv"
// with "number,file" lines, files relative to the directory (written by
// scripts/icons).
class DesignSetBuilder {
public:
    struct SetEntry {
        std::string name;
        _K7D_STR_COLOR background;
    };

    // The global data (owned by the caller), or null when the set list or a
    // design table cannot be read or has a bad line; each reason is logged.
    // Without an icon list the sets get no icons (logged).
    static K7DataCtg* build(const std::string& designDirectory, const std::string& iconDirectory);

    // One set group, or null when the design table is refused.
    static K7DataCtg* buildSet(const SetEntry& set, const std::string& tablePath,
                               const std::vector<IconImage>& icons);

    // The sets of a set list; false, with the line logged, on a bad line.
    static bool readSetList(const std::string& path, std::vector<SetEntry>& sets);
    // The icons of an icon list; false when a listed image cannot be read or
    // a line is bad. A missing list gives no icons and true.
    static bool readIcons(const std::string& iconDirectory, std::vector<IconImage>& icons);

    static const char* const SET_LIST;
    static const char* const ICON_LIST;
};

#endif
