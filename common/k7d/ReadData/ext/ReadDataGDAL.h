#ifndef TOLKMAPS_K7D_READDATAGDAL_H
#define TOLKMAPS_K7D_READDATAGDAL_H

#include "ReadDataUnsupported.h"

// Reader of geodata files through a geodata library; not available in this library.
class ReadDataGDAL : public ReadDataUnsupported {
public:
    ~ReadDataGDAL() override;
};

#endif
