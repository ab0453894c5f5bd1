#include "ReadDataK7Binary.h"

#include "K7DataCtg.h"
#include "Log.h"

ReadDataK7Binary::~ReadDataK7Binary() = default;

bool ReadDataK7Binary::setParamMain(K7DataCtg*) {
    return true;
}

bool ReadDataK7Binary::getDataMain(K7DataCtg* result) {
    if (!m_hasBuffer) {
        K7D_LOG_ERROR("", "no data read.", m_path);
        return false;
    }
    if (!result->setBinaryBounded(m_buffer.c_str(), m_buffer.size())) {
        K7D_LOG_ERROR("", "malformed record file:", m_path);
        return false;
    }
    return true;
}

bool ReadDataK7Binary::clearRead() {
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_hasBuffer = false;
    return true;
}

bool ReadDataK7Binary::readDataFile(AreaInfoBase*) {
    return readFile(m_path);
}

bool ReadDataK7Binary::readFile(const std::string& path) {
    m_hasBuffer = loadFile(path, m_buffer, "readFile");
    return m_hasBuffer;
}
