#ifndef TOLKMAPS_MODEL_USERDATACONTROLLER_H
#define TOLKMAPS_MODEL_USERDATACONTROLLER_H

#include <string>
#include <vector>

class K7DataCtg;

namespace qiv {

// What the application asks of the map's own features and, later, its own
// objects on the map.
class UserDataController {
public:
    // The design names of the tile's map features that a disc (centre x, y
    // and radius, world units) touches, in the order found; a name may come
    // more than once. Lines and areas are tested against the radius, label
    // anchors against twice the radius.
    static std::vector<std::string> designCheck(double x, double y, double radius, K7DataCtg& tile);
};

}  // namespace qiv

#endif
