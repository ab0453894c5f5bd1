#include "UserDataController.h"

#include "HitGeometry.h"
#include "K7DataCtg.h"
#include "K7DataLine.h"
#include "K7DataPoint.h"
#include "K7DataText.h"

namespace qiv {

namespace {

// The index-th child if it is a group, else null.
K7DataGroup* childGroup(K7DataGroup& group, size_t index) {
    const auto& children = group.getContents();
    return index < children.size() ? dynamic_cast<K7DataGroup*>(children[index]) : nullptr;
}

K7DataBase* firstTagged(K7DataGroup& group, const char* tag) {
    for (K7DataBase* record : group.getContents()) {
        if (record->getType() == tag) return record;
    }
    return nullptr;
}

const GeoDataLine* lineOf(K7DataBase* record) {
    auto* line = dynamic_cast<K7DataLine<uint32_t>*>(record);
    return line ? &line->getContents() : nullptr;
}

// A line group is hit when the disc crosses one of its lines; an area group
// when the disc touches one of its rings, closed by repeating the first point.
bool featureHit(K7DataGroup& feature, K7DataGroup& geometry, double x, double y, double radius) {
    const bool area = feature.getType() == "pgg";
    if (!area && feature.getType() != "lng") return false;
    for (K7DataBase* record : geometry.getContents()) {
        const GeoDataLine* line = lineOf(record);
        if (!line || line->getPtNum() == 0) continue;
        if (area) {
            GeoBaseLine ring = *line;
            ring.addCoord(line->x(0), line->y(0));
            if (HitGeometry::circleInPolygon(ring, {}, x, y, radius)) return true;
        } else {
            int segment = 0;
            GeoDataPoint cross;
            if (HitGeometry::findCrossPointOnPolyLine(*line, segment, cross, x, y, radius)) return true;
        }
    }
    return false;
}

// A label group is hit when one of its anchors lies within the radius.
bool labelHit(K7DataGroup& label, K7DataGroup& entries, double x, double y, double radius) {
    if (label.getType() != "mag") return false;
    for (K7DataBase* record : entries.getContents()) {
        auto* entry = dynamic_cast<K7DataGroup*>(record);
        auto* anchor = entry ? dynamic_cast<K7DataPoint<uint32_t>*>(firstTagged(*entry, "pt4")) : nullptr;
        if (!anchor) continue;
        GeoBaseLine point;
        point.addCoord(anchor->getContents().x(), anchor->getContents().y());
        if (HitGeometry::pointInCircle(point, x, y, radius)) return true;
    }
    return false;
}

template <typename Hit>
void collectHits(K7DataGroup* list, Hit hit, std::vector<std::string>& names) {
    if (!list) return;
    for (K7DataBase* record : list->getContents()) {
        auto* feature = dynamic_cast<K7DataGroup*>(record);
        auto* geometry = feature ? dynamic_cast<K7DataGroup*>(firstTagged(*feature, "ctg")) : nullptr;
        auto* name = feature ? dynamic_cast<K7DataText*>(firstTagged(*feature, "dcn")) : nullptr;
        if (geometry && name && hit(*feature, *geometry)) names.push_back(name->getContents());
    }
}

}  // namespace

std::vector<std::string> UserDataController::designCheck(double x, double y, double radius, K7DataCtg& tile) {
    std::vector<std::string> names;
    K7DataGroup* body = childGroup(tile, 1);
    if (!body) return names;
    collectHits(
        childGroup(*body, 2),
        [&](K7DataGroup& feature, K7DataGroup& geometry) { return featureHit(feature, geometry, x, y, radius); },
        names);
    collectHits(
        childGroup(*body, 3),
        [&](K7DataGroup& label, K7DataGroup& entries) { return labelHit(label, entries, x, y, 2 * radius); },
        names);
    return names;
}

}  // namespace qiv
