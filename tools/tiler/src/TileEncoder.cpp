#include "TileEncoder.h"

#include <algorithm>

#include "K7DataAdp.h"
#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataDfg.h"
#include "K7DataLgt.h"
#include "K7DataLn4.h"
#include "K7DataLng.h"
#include "K7DataNumber.h"
#include "K7DataPgg.h"
#include "K7DataPoint.h"
#include "K7DataQak.h"
#include "K7DataTxt.h"
#include "K7DataVtc.h"
#include "RecipeLayer.h"

namespace {

template <typename Record>
Record* text(const std::string& value) {
    auto* record = new Record();
    record->editContents() = value;
    return record;
}

template <typename Record, typename Value>
Record* number(const char* tag, Value value) {
    auto* record = new Record();
    if (tag) record->setType(tag);
    record->editContents() = value;
    return record;
}

K7DataLn4* polyline(const std::vector<uint32_t>& coordinates) {
    auto* record = new K7DataLn4();
    for (size_t i = 0; i + 1 < coordinates.size(); i += 2) record->editContents().addCoord(coordinates[i], coordinates[i + 1]);
    return record;
}

std::string encoded(K7DataBase& record) {
    const uint32_t length = record.getSizeAll();
    return std::string(record.getBinary(), length);
}

}  // namespace

std::string TileEncoder::encode(const std::string& quadKey, const TileContent& content) const {
    K7DataCtg tile;
    auto* header = new K7DataCtg();
    header->addContents(text<K7DataQak>(quadKey));
    tile.addContents(header);
    auto* body = new K7DataCtg();
    body->addContents(languageSection());
    body->addContents(geometrySection(content, RecipeLayer::BACKGROUND));
    body->addContents(geometrySection(content, RecipeLayer::GROUND));
    body->addContents(pointSection(content));
    tile.addContents(body);
    return encoded(tile);
}

std::string TileEncoder::group(const std::vector<std::string>& records) {
    size_t length = 0;
    for (const auto& record : records) length += record.size();
    std::string out = "ctg";
    if (length <= K7DataBase::SHORT_LIMIT) {
        out += static_cast<char>(length);
    } else {
        out += static_cast<char>(0xFF);
        for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((length >> shift) & 0xFF);
    }
    out.reserve(out.size() + length);
    for (const auto& record : records) out += record;
    return out;
}

K7DataGroup* TileEncoder::languageSection() const {
    auto* codes = new K7DataCtg();
    for (const auto& language : m_languages) codes->addContents(text<K7DataLgt>(language));
    auto* section = new K7DataCtg();
    section->addContents(codes);
    return section;
}

K7DataGroup* TileEncoder::geometrySection(const TileContent& content, int sectionNumber) {
    auto* section = new K7DataCtg();
    for (const auto& entry : content.groups(sectionNumber)) {
        const TileContent::Group& source = entry.second;
        K7DataGroup* group = source.area ? static_cast<K7DataGroup*>(new K7DataPgg()) : new K7DataLng();
        group->addContents(text<K7DataDcn>(source.category));
        auto* records = new K7DataCtg();
        for (const auto& coordinates : source.records) records->addContents(polyline(coordinates));
        group->addContents(records);
        section->addContents(group);
    }
    return section;
}

K7DataGroup* TileEncoder::pointSection(const TileContent& content) const {
    auto* section = new K7DataCtg();
    for (const auto& entry : content.labels()) {
        std::vector<const LabelPoint*> ordered;
        for (const auto& label : entry.second) ordered.push_back(&label);
        std::stable_sort(ordered.begin(), ordered.end(), [](const LabelPoint* a, const LabelPoint* b) {
            return a->rank != b->rank ? a->rank < b->rank : a->objectId < b->objectId;
        });
        auto* category = new K7DataGroup();
        category->setType("mag");
        category->addContents(text<K7DataDcn>(entry.first.second));
        auto* labels = new K7DataCtg();
        for (const LabelPoint* label : ordered) labels->addContents(labelRecord(*label));
        category->addContents(labels);
        section->addContents(category);
    }
    return section;
}

K7DataGroup* TileEncoder::labelRecord(const LabelPoint& label) const {
    auto* record = new K7DataCtg();
    record->addContents(number<K7DataNumber<uint64_t>>("oid", label.objectId));
    auto* flags = new K7DataDfg();
    for (bool& flag : flags->editContents().flag) flag = true;
    record->addContents(flags);
    record->addContents(number<K7DataVtc>(nullptr, static_cast<uint8_t>(label.vertical ? 1 : 0)));
    record->addContents(number<K7DataAdp>(nullptr, label.textPosition));
    auto* texts = new K7DataCtg();
    if (label.hasTexts()) {
        for (const auto& value : label.texts) texts->addContents(text<K7DataTxt>(value));
    }
    record->addContents(texts);
    auto* anchor = new K7DataPoint<uint32_t>();
    anchor->setType("pt4");
    anchor->editContents() = GeoDataPoint(label.x, label.y);
    record->addContents(anchor);
    if (label.angle) record->addContents(number<K7DataNumber<float>>("agl", *label.angle));
    if (!label.hasTexts() && !label.fallbackText.empty()) {
        auto* fallback = new K7DataText();
        fallback->setType("sat");
        fallback->editContents() = label.fallbackText;
        record->addContents(fallback);
    }
    return record;
}
