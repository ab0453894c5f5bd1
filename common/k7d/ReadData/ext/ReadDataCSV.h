#ifndef TOLKMAPS_K7D_READDATACSV_H
#define TOLKMAPS_K7D_READDATACSV_H

#include <cstdint>
#include <string>

#include "CsvData.h"
#include "ReadDataBase.h"

// Reads delimited text. read() keeps the whole file; setParam() takes the
// line break from "lbc" (absent or 0: "\n", 1: "\r\n"); getData() hands every
// row that is neither empty nor a comment (starting with "//") to
// putCsvData, then calls setCsvData. getData answers true only when all of
// them did; a failing row does not stop the others. Subclasses fill in
// putCsvData and setCsvData.
class ReadDataCSV : public ReadDataBase {
public:
    ReadDataCSV();
    ~ReadDataCSV() override;

protected:
    bool setParamMain(K7DataCtg* parameters) override;
    bool readDataFile(AreaInfoBase* area) override;
    bool putReadData() override;
    bool clearRead() override;
    bool clearParam() override;

    // One data row, with its index among all rows of the file (from 0).
    virtual bool putCsvData(const std::string& line, uint32_t row);
    // Runs once after the rows.
    virtual bool setCsvData();

    bool isSkipped(const std::string& line) const;

    std::string m_lineBreak;
    std::string m_delimiter;
    const std::string m_commentPrefix = "//";
    // The file text, viewed by m_csv.
    std::string m_text;
    CsvData m_csv;
    bool m_success = true;
};

#endif
