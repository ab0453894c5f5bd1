#ifndef TOLKMAPS_TILER_TILEENCODER_H
#define TOLKMAPS_TILER_TILEENCODER_H

#include <string>
#include <vector>

#include "TileContent.h"

class K7DataGroup;

// Encodes tiles with the record library, in the layout the kit reads:
//
//   "ctg" tile
//     "ctg" header: "qak" quad key
//     "ctg" body
//       "ctg" section 0: "ctg" { "lgt" language code ... } (no indoor data)
//       "ctg" section 1, background: "pgg"/"lng" { "dcn", "ctg" { "ln4" ... } }
//       "ctg" section 2, ground: the same
//       "ctg" section 3, points: "mag" { "dcn", "ctg" { label ... } }
//
// An area "ln4" is a triangle list (every three points a triangle); a line
// "ln4" is one polyline. A label is a "ctg" holding "oid", "dfg", "vtc",
// "adp", a "ctg" of "txt" texts (one per language, in language order), the
// anchor "pt4" and, when given, "agl" and "sat". Labels of one category are
// ordered by rank, then by object id.
class TileEncoder {
public:
    explicit TileEncoder(std::vector<std::string> languages) : m_languages(std::move(languages)) {}

    std::string encode(const std::string& quadKey, const TileContent& content) const;
    // One "ctg" record holding the given encoded records back to back.
    static std::string group(const std::vector<std::string>& records);

private:
    K7DataGroup* languageSection() const;
    static K7DataGroup* geometrySection(const TileContent& content, int section);
    K7DataGroup* pointSection(const TileContent& content) const;
    K7DataGroup* labelRecord(const LabelPoint& label) const;

    std::vector<std::string> m_languages;
};

#endif
