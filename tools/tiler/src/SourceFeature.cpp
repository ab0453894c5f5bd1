#include "SourceFeature.h"

SourceFeature::SourceFeature(OGRFeatureUniquePtr feature, GeosContext::Geometry geometry, Kind kind)
    : m_feature(std::move(feature)), m_geometry(std::move(geometry)), m_kind(kind) {
    unpackOtherTags();
}

std::string SourceFeature::attribute(const std::string& name) const {
    const int index = m_feature->GetFieldIndex(name.c_str());
    if (index >= 0) return m_feature->IsFieldSetAndNotNull(index) ? m_feature->GetFieldAsString(index) : "";
    auto found = m_otherTags.find(name);
    return found == m_otherTags.end() ? "" : found->second;
}

SourceFeature::Kind SourceFeature::kindOf(OGRwkbGeometryType type) {
    switch (wkbFlatten(type)) {
        case wkbPoint:
        case wkbMultiPoint:
            return POINT;
        case wkbLineString:
        case wkbMultiLineString:
            return LINE;
        case wkbPolygon:
        case wkbMultiPolygon:
            return AREA;
        default:
            return NONE;
    }
}

// "other_tags" holds "key"=>"value" pairs separated by commas, with quotes
// and backslashes inside keys and values escaped by a backslash.
void SourceFeature::unpackOtherTags() {
    const int index = m_feature->GetFieldIndex("other_tags");
    if (index < 0 || !m_feature->IsFieldSetAndNotNull(index)) return;
    const std::string packed = m_feature->GetFieldAsString(index);
    std::string texts[2];
    int part = 0;
    bool quoted = false;
    for (size_t i = 0; i < packed.size(); ++i) {
        const char c = packed[i];
        if (quoted && c == '\\' && i + 1 < packed.size()) {
            texts[part] += packed[++i];
        } else if (c == '"') {
            quoted = !quoted;
            if (!quoted && part == 1) {
                m_otherTags.emplace(texts[0], texts[1]);
                texts[0].clear();
                texts[1].clear();
                part = 0;
            }
        } else if (quoted) {
            texts[part] += c;
        } else if (c == '>') {
            part = 1;
        }
    }
}
