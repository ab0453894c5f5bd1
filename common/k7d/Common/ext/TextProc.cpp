#include "TextProc.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "CsvData.h"
#include "Log.h"

bool TextProc::readCsv(const std::string& path, CsvData* csv) {
    std::error_code ignored;
    // A directory opens as a stream on some systems but has no content to read.
    const bool isDirectory = std::filesystem::is_directory(path, ignored);
    std::ifstream input;
    if (!isDirectory) input.open(path, std::ios::in | std::ios::binary);
    if (!input.is_open() || csv == nullptr) {
        K7D_LOG_ERROR("", "file open error.", path);
        return false;
    }
    csv->setCsvFile(input);
    return true;
}

bool TextProc::writeCsv(const std::string& path, const CsvData& csv, bool append) {
    const std::ios::openmode mode =
        std::ios::out | std::ios::binary | (append ? std::ios::app : std::ios::trunc);
    std::ofstream output(path, mode);
    if (!output.is_open()) {
        K7D_LOG_ERROR("", "write error.", path);
        return false;
    }
    const std::string& text = csv.getCsv();
    output.write(text.data(), static_cast<std::streamsize>(text.size()));
    output.close();
    if (output.fail()) {
        K7D_LOG_ERROR("", "write error.", path);
        return false;
    }
    return true;
}
