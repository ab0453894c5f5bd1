#ifndef TOLKMAPS_K7D_INDIRECTHANDLE_H
#define TOLKMAPS_K7D_INDIRECTHANDLE_H

#include "HandleBase.h"
#include "IndirectK7Data.h"
#include "ReadDataType.h"

// Holds an IndirectK7DataMaster under shared ownership, whatever the type.
class IndirectHandle : public HandleBase<IndirectK7Data> {
public:
    explicit IndirectHandle(DATA_TYPE type = DATA_TYPE_K7DATA);
    ~IndirectHandle() override;
};

#endif
