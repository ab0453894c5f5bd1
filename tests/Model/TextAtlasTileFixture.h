#ifndef TOLKMAPS_TESTS_TEXTATLASTILEFIXTURE_H
#define TOLKMAPS_TESTS_TEXTATLASTILEFIXTURE_H

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Design/DesignTestSupport.h"
#include "K7DataDfg.h"
#include "K7DataDfp.h"
#include "K7DataGroup.h"
#include "K7DataNumber.h"
#include "K7DataPoint.h"
#include "K7DataText.h"

// Builders of map tiles with label records, as the label atlas and the label
// organizer read them, and of the design set that styles them.
namespace text_atlas_test {

// The label font that the engine's hosts hand in under "jpn".
inline const char* const FONT = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc";

template <typename Record = K7DataText>
inline K7DataBase* tagged(const std::string& tag, const std::decay_t<decltype(std::declval<Record&>().editContents())>& value) {
    auto* result = new Record();
    result->setType(tag);
    result->editContents() = value;
    return result;
}

// One label of a point record. Missing optional records are left out.
struct Label {
    Label(std::optional<uint64_t> id = std::nullopt, std::vector<std::string> labelTexts = {})
        : oid(id), texts(std::move(labelTexts)) {}

    std::optional<uint64_t> oid;
    std::vector<std::string> texts;
    uint8_t flags = 0x1F;  // display flags 1 to 5, bit k - 1 for flag k
    bool withFlags = true;
    std::optional<uint8_t> vertical = 0;
    std::optional<uint8_t> position = 0;
    std::optional<std::string> sat;
    uint32_t x = 0;
    uint32_t y = 0;
    std::optional<float> angle;
};

inline K7DataGroup* label(const Label& wanted) {
    auto* group = new K7DataCtg();
    if (wanted.oid) group->addContents(tagged<K7DataNumber<uint64_t>>("oid", *wanted.oid));
    if (wanted.withFlags) {
        K7D_STR_DFG flags;
        for (int k = 0; k < K7D_STR_DFG::COUNT; ++k) flags.flag[k] = (wanted.flags >> k) & 1u;
        auto* record = new K7DataDfg();
        record->editContents() = flags;
        group->addContents(record);
    }
    if (wanted.vertical) group->addContents(tagged<K7DataNumber<uint8_t>>("vtc", *wanted.vertical));
    if (wanted.position) group->addContents(tagged<K7DataNumber<uint8_t>>("adp", *wanted.position));
    if (wanted.sat) group->addContents(tagged("sat", *wanted.sat));
    if (wanted.angle) group->addContents(tagged<K7DataNumber<float>>("agl", *wanted.angle));
    auto* point = new K7DataPoint<uint32_t>();
    point->setType("pt4");
    point->editContents().setCoord(wanted.x, wanted.y);
    group->addContents(point);
    auto* texts = new K7DataCtg();
    for (const std::string& text : wanted.texts) texts->addContents(tagged("txt", text));
    group->addContents(texts);
    return group;
}

// A point record ("mag") of a design category holding labels.
inline K7DataGroup* pointRecord(const std::string& category, const std::vector<Label>& labels) {
    auto* mag = new K7DataGroup();
    mag->setType("mag");
    mag->addContents(tagged("dcn", category));
    auto* list = new K7DataCtg();
    for (const Label& wanted : labels) list->addContents(label(wanted));
    mag->addContents(list);
    return mag;
}

// A map tile: header with the quad key, then the data group whose first
// section lists the language of each label text and whose fourth section
// holds the point records.
inline K7DataCtg* tile(const std::string& quadKey, const std::vector<std::string>& languages,
                       const std::vector<K7DataBase*>& points) {
    auto* codes = new K7DataCtg();
    for (const std::string& code : languages) codes->addContents(tagged("lgt", code));
    auto* header = design_test::groupOf({codes});
    auto* labels = new K7DataCtg();
    for (K7DataBase* point : points) labels->addContents(point);
    auto* data = design_test::groupOf({header, new K7DataCtg(), new K7DataCtg(), labels});
    return design_test::groupOf({design_test::groupOf({tagged("qak", quadKey)}), data});
}

// The point design of a category at one level, with label styles for the
// given languages and an optional display-flag position and icon.
inline K7DataAtg* pointDesign(const std::string& category, uint8_t level, const std::vector<std::string>& languages,
                              std::optional<uint8_t> flagPosition = std::nullopt, int icon = -1) {
    auto* decorations = new K7DataCtg();
    for (const std::string& language : languages) decorations->addContents(design_test::decoration(language, 16));
    K7DataAtg* group = design_test::groupOf<K7DataAtg>(
        {design_test::record<K7DataDcn>(category), design_test::record<K7DataScl>(level)});
    if (icon >= 0) group->addContents(design_test::record<K7DataIcn>(static_cast<uint16_t>(icon)));
    group->addContents(decorations);
    if (flagPosition) group->addContents(design_test::record<K7DataDfp>(*flagPosition));
    return group;
}

}  // namespace text_atlas_test

#endif
