#ifndef TOLKMAPS_K7D_READDATAMASTER_H
#define TOLKMAPS_K7D_READDATAMASTER_H

#include "ReadDataK7Binary.h"

// A reader of master tables that has no file format yet: every step answers false.
class ReadDataMaster : public ReadDataK7Binary {
public:
    ~ReadDataMaster() override;

    bool read(const std::string& path, AreaInfoBase* area = nullptr) override;
    bool setParam(K7DataCtg* parameters) override;
    bool getData(K7DataCtg* result) override;
};

#endif
