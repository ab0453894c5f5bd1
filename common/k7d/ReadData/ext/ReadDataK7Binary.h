#ifndef TOLKMAPS_K7D_READDATAK7BINARY_H
#define TOLKMAPS_K7D_READDATAK7BINARY_H

#include <string>

#include "ReadDataBase.h"

// Reads a file that holds one encoded record. read() keeps the whole file;
// getData() decodes it into the given group, checking every length against
// the file's size, and answers false (with the reason logged) for malformed
// data. It takes no parameters and does not use the area.
class ReadDataK7Binary : public ReadDataBase {
public:
    ~ReadDataK7Binary() override;

protected:
    bool setParamMain(K7DataCtg* parameters) override;
    bool getDataMain(K7DataCtg* result) override;
    bool clearRead() override;
    bool readDataFile(AreaInfoBase* area) override;
    // Reads the whole file into the buffer; false, with the reason logged,
    // when the file cannot be opened or read.
    bool readFile(const std::string& path);

    // The file's bytes; c_str() puts a 0 byte after the last.
    std::string m_buffer;
    bool m_hasBuffer = false;
};

#endif
