#ifndef TOLKMAPS_TILER_SOURCEFEATURE_H
#define TOLKMAPS_TILER_SOURCEFEATURE_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include <ogrsf_frmts.h>

#include "GeosContext.h"

// One feature read from an input layer: its id, its geometry on the world
// plane and its attributes. OpenStreetMap's packed "other_tags" attribute is
// unpacked, so its keys read like fields.
class SourceFeature {
public:
    enum Kind { NONE, POINT, LINE, AREA };

    SourceFeature(OGRFeatureUniquePtr feature, GeosContext::Geometry geometry, Kind kind);

    int64_t id() const { return m_feature->GetFID(); }
    Kind kind() const { return m_kind; }
    const GEOSGeometry* geometry() const { return m_geometry.get(); }
    // The attribute as text; empty when the feature has no such attribute or
    // its value is null.
    std::string attribute(const std::string& name) const;

    // The kind of an OGR geometry type.
    static Kind kindOf(OGRwkbGeometryType type);

private:
    void unpackOtherTags();

    OGRFeatureUniquePtr m_feature;
    GeosContext::Geometry m_geometry;
    Kind m_kind;
    std::map<std::string, std::string> m_otherTags;
};

#endif
