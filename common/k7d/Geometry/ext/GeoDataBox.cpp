#include "GeoDataBox.h"

GeoDataBox::~GeoDataBox() = default;
