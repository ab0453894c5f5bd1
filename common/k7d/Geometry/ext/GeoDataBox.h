#ifndef TOLKMAPS_K7D_GEODATABOX_H
#define TOLKMAPS_K7D_GEODATABOX_H

#include "GeoBaseBox.h"

// The box type that records and geometry operations pass around.
class GeoDataBox : public GeoBaseBox {
public:
    using GeoBaseBox::GeoBaseBox;
    GeoDataBox(const GeoBaseBox& box) : GeoBaseBox(box) {}
    ~GeoDataBox() override;
};

#endif
