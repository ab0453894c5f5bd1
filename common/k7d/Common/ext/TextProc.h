#ifndef TOLKMAPS_K7D_TEXTPROC_H
#define TOLKMAPS_K7D_TEXTPROC_H

#include <string>

class CsvData;

// Reads and writes the text of a CsvData as a file, byte for byte.
class TextProc {
public:
    // Replaces the text of `csv` with the whole file. False (and "file open
    // error." logged) when the file cannot be opened (or is a directory) or
    // `csv` is null; the text then stays as it was.
    static bool readCsv(const std::string& path, CsvData* csv);
    // Writes the text of `csv` unchanged, appending to the file or replacing
    // it. False (and "write error." logged) when the file cannot be written.
    static bool writeCsv(const std::string& path, const CsvData& csv, bool append);
};

#endif
