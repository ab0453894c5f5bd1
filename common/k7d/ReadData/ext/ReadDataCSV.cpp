#include "ReadDataCSV.h"

#include "K7DataCtg.h"
#include "Log.h"
#include "ReadDataParam.h"
#include "TextProc.h"

namespace {
const char* const kLineBreaks[] = {"\n", "\r\n"};
}

ReadDataCSV::ReadDataCSV() : m_lineBreak(kLineBreaks[0]), m_delimiter(",") {
    m_csv.setCsv_1(&m_text);
}

ReadDataCSV::~ReadDataCSV() = default;

bool ReadDataCSV::setParamMain(K7DataCtg* parameters) {
    int64_t code = 0;
    if (!parameters->getContents("lbc").empty() &&
        !ReadDataParam::firstNumber(*parameters, "lbc", code)) {
        K7D_LOG_ERROR("", "lbc is not a number.");
        return false;
    }
    if (code < 0 || code > 1) {
        K7D_LOG_ERROR("", "未定義の改行コードです :", code);
        return false;
    }
    m_lineBreak = kLineBreaks[code];
    m_csv.setLineBreak(m_lineBreak);
    m_csv.setDelimiter(m_delimiter);
    return true;
}

bool ReadDataCSV::readDataFile(AreaInfoBase*) {
    m_csv.setCsv_1(&m_text);
    if (!TextProc::readCsv(m_path, &m_csv)) return false;
    m_csv.first();
    return true;
}

bool ReadDataCSV::putReadData() {
    m_success = true;
    const uint32_t rows = m_csv.getRowSize();
    for (uint32_t row = 0; row < rows; ++row) {
        const std::string line = m_csv.getLine(row);
        if (isSkipped(line)) continue;
        m_success = putCsvData(line, row) && m_success;
    }
    m_success = setCsvData() && m_success;
    return m_success;
}

bool ReadDataCSV::clearRead() {
    m_text.clear();
    m_csv.setCsv_1(&m_text);
    return true;
}

bool ReadDataCSV::clearParam() {
    m_lineBreak = kLineBreaks[0];
    m_csv.setLineBreak(m_lineBreak);
    m_csv.setDelimiter(m_delimiter);
    return true;
}

bool ReadDataCSV::putCsvData(const std::string&, uint32_t) {
    return true;
}

bool ReadDataCSV::setCsvData() {
    return true;
}

bool ReadDataCSV::isSkipped(const std::string& line) const {
    return line.empty() || line.compare(0, m_commentPrefix.size(), m_commentPrefix) == 0;
}
