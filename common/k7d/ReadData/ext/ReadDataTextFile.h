#ifndef TOLKMAPS_K7D_READDATATEXTFILE_H
#define TOLKMAPS_K7D_READDATATEXTFILE_H

#include "ReadDataCSV.h"

// Reads a text file: every data line becomes one "txt" record appended to
// the result group.
class ReadDataTextFile : public ReadDataCSV {
public:
    ~ReadDataTextFile() override;

protected:
    bool putCsvData(const std::string& line, uint32_t row) override;
};

#endif
