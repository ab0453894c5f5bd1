#include "GeoDataPoly.h"

GeoDataPoly::~GeoDataPoly() = default;
