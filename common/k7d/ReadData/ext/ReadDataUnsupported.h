#ifndef TOLKMAPS_K7D_READDATAUNSUPPORTED_H
#define TOLKMAPS_K7D_READDATAUNSUPPORTED_H

#include "ReadDataBase.h"

// A reader for a data kind that this library cannot read: every step
// answers false with a log line.
class ReadDataUnsupported : public ReadDataBase {
public:
    ~ReadDataUnsupported() override;

    bool read(const std::string& path, AreaInfoBase* area = nullptr) override;
    bool setParam(K7DataCtg* parameters) override;
    bool getData(K7DataCtg* result) override;
};

#endif
