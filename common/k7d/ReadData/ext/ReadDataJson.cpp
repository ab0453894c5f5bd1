#include "ReadDataJson.h"

#include <exception>

#include "K7DataCtg.h"
#include "K7DataJsonReader.h"
#include "Log.h"

ReadDataJson::~ReadDataJson() = default;

bool ReadDataJson::setParamMain(K7DataCtg*) {
    return true;
}

bool ReadDataJson::putReadData() {
    if (!analyzeData()) return false;
    if (!m_json.isArray()) {
        K7D_LOG_ERROR("Data starting Object is not array.");
        return false;
    }
    // Converted apart first, so that a refused element leaves the result as it was.
    K7DataCtg converted;
    try {
        K7DataJsonReader::setRecord(converted, "ctg", m_json.getPicojsonValue());
    } catch (const std::exception& error) {
        K7D_LOG_ERROR("", "JSON record refused:", error.what(), m_path);
        return false;
    }
    m_coreData->setType("ctg");
    m_coreData->setMajorType();
    for (K7DataBase* child : converted.getContents()) m_coreData->addContents(child);
    converted.clearContents();
    m_coreData->setSize();
    return true;
}

bool ReadDataJson::clearRead() {
    m_text.clear();
    return true;
}

bool ReadDataJson::clearData() {
    m_json = JsonData();
    return true;
}

bool ReadDataJson::readDataFile(AreaInfoBase*) {
    return loadFile(m_path, m_text, "readDataFile");
}

bool ReadDataJson::analyzeData() {
    std::string error;
    if (m_json.parse(m_text.data(), m_text.size(), error)) return true;
    K7D_LOG_ERROR("", "JSON syntax error:", error, m_path);
    return false;
}
