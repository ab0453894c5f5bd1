#ifndef TOLKMAPS_K7D_CSVDATA_H
#define TOLKMAPS_K7D_CSVDATA_H

#include <cstdint>
#include <istream>
#include <string>

#include "TextSplit.h"

// Delimited text: rows split at the line break ("\n" until set), columns of a
// row split at the delimiter ("," until set), both with the quoting rules of
// TextSplit. The text is either owned (setCsv) or borrowed (setCsv_1); a
// borrowed text must outlive its use here.
//
// Reading by index: getRowSize(), getLine(row), getColSize(row) makes `row`
// the current row, then getData(col). Sequential reading: first(), then
// getLine() / getData() with nextRow() and nextCol().
class CsvData {
public:
    CsvData();
    CsvData(const CsvData& other);
    CsvData& operator=(const CsvData& other);

    // An empty break or delimiter is refused; answers whether it was taken.
    bool setLineBreak(const std::string& lineBreak);
    bool setDelimiter(const std::string& delimiter);
    const std::string& getLineBreak() const { return m_rows.getDelimiter(); }
    const std::string& getDelimiter() const { return m_columns.getDelimiter(); }

    // Copies `text` into the owned text and uses it.
    void setCsv(const std::string& text);
    // Uses `text` without copying it.
    void setCsv_1(std::string* text);
    // Replaces the text in use with everything left in `input`.
    void setCsvFile(std::istream& input);
    const std::string& getCsv() const;

    // Appends a field, with the delimiter in front unless the text is empty
    // or ends with the line break.
    void setData(const std::string& field);
    void addLineBreak();
    // Empties the text in use.
    void clear();

    uint32_t getRowSize();
    // Row `row` as it stands in the text; empty past the last row.
    std::string getLine(uint32_t row);
    // Splits row `row` into columns, makes it the current row and answers its column count.
    uint32_t getColSize(uint32_t row);
    uint32_t getColSize();
    // Column `col` of the current row (quotes removed); empty past the last column.
    std::string getData(uint32_t col);
    std::string getData(uint32_t row, uint32_t col);

    // Goes to row 0, column 0.
    void first();
    // Goes to the next row, column 0; false past the last row.
    bool nextRow();
    // Goes to the next column of the current row; false past the last column.
    bool nextCol();
    std::string getData();
    std::string getLine();

private:
    std::string& text();
    const std::string& text() const;
    void textChanged();
    void selectRow(uint32_t row);

    std::string m_ownText;
    std::string* m_borrowedText = nullptr;
    TextSplit m_rows;
    TextSplit m_columns;
    uint32_t m_currentRow = 0;
};

#endif
