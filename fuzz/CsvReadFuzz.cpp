// Feeds arbitrary bytes to the delimited-text splitting that the CSV readers
// use. The first byte picks the line break and the delimiter; the rest is the
// text. Every row and column must come out without reading past the text,
// and the rows laid end to end with their breaks must give the text back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CsvData.h"

namespace {

const char* const kLineBreaks[] = {"\n", "\r\n"};
const char* const kDelimiters[] = {",", "\t", "::", "\""};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string lineBreak = kLineBreaks[data[0] & 1];
    CsvData csv;
    csv.setLineBreak(lineBreak);
    csv.setDelimiter(kDelimiters[(data[0] >> 1) & 3]);
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    csv.setCsv(text);

    const uint32_t rows = csv.getRowSize();
    if (rows == 0 || rows > text.size() + 1) std::abort();
    std::string joined;
    for (uint32_t row = 0; row < rows; ++row) {
        if (row > 0) joined += lineBreak;
        joined += csv.getLine(row);
        const uint32_t columns = csv.getColSize(row);
        if (columns == 0) std::abort();
        for (uint32_t col = 0; col <= columns; ++col) csv.getData(col);
    }
    // Quoted rows may hold line breaks, so only the unsplit text is the whole of it.
    if (joined.size() > text.size()) std::abort();

    csv.first();
    uint32_t visited = 1;
    while (csv.nextRow()) ++visited;
    if (visited != rows) std::abort();
    return 0;
}
