#include "ReadDataTextFile.h"

#include "K7DataCtg.h"
#include "K7DataTxt.h"
#include "Log.h"

ReadDataTextFile::~ReadDataTextFile() = default;

bool ReadDataTextFile::putCsvData(const std::string& line, uint32_t row) {
    K7D_LOG_DEBUG("", "putCsvData", uint64_t(row) + 1);
    auto* text = new K7DataTxt();
    text->editContents() = line;
    text->setSize();
    m_coreData->addContents(text);
    return true;
}
