#include "K7DataYmd.h"

#include <algorithm>

#include "K7DataType.h"

K7DataYmd::K7DataYmd() {
    setMajorType();
    init();
    setSize();
}

K7DataYmd::K7DataYmd(const char* record) : K7DataYmd() { setBinary(record); }

std::string K7DataYmd::getContents() const {
    const auto end = std::find(m_date.begin(), m_date.end(), '\0');
    return std::string(m_date.begin(), end);
}

void K7DataYmd::init() {
    m_date.fill('0');
    m_date[SIZE - 1] = '\0';
}

void K7DataYmd::setSize() { m_size = SIZE; }

void K7DataYmd::makeBinary(char* out) { std::copy(m_date.begin(), m_date.end(), out); }

void K7DataYmd::setMajorType() { m_majorType = K7DATA_TYPE_YMD; }

bool K7DataYmd::decodeContent(const char* content, size_t offset, unsigned) {
    init();
    if (m_size != SIZE) return refuseLength(offset);
    std::copy(content, content + SIZE, m_date.begin());
    return true;
}

void K7DataYmd::resetValue() { init(); }
