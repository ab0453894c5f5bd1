#ifndef TOLKMAPS_K7D_READDATACMDN_H
#define TOLKMAPS_K7D_READDATACMDN_H

#include "ReadDataUnsupported.h"

// Reader of map sheets divided into numbered blocks; not available in this library.
class ReadDataCmdn : public ReadDataUnsupported {
public:
    ~ReadDataCmdn() override;
};

#endif
