#ifndef TOLKMAPS_K7D_READDATAHRL_H
#define TOLKMAPS_K7D_READDATAHRL_H

#include "ReadDataUnsupported.h"

// Reader of data type 7, which this library cannot read.
class ReadDataHrl : public ReadDataUnsupported {
public:
    ~ReadDataHrl() override;
};

#endif
