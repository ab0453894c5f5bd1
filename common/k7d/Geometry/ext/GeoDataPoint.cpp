#include "GeoDataPoint.h"

GeoDataPoint::~GeoDataPoint() = default;
