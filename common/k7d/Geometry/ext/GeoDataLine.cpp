#include "GeoDataLine.h"

GeoDataLine::~GeoDataLine() = default;
