#include "MapObjectOrganizer.h"

namespace qiv {

MapObjectOrganizer::~MapObjectOrganizer() = default;

}  // namespace qiv
