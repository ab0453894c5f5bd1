#include "K7DataColor.h"

#include "K7DataType.h"

K7DataColor::K7DataColor() {
    setMajorType();
    setSize();
}

K7DataColor::K7DataColor(const char* record) : K7DataColor() { setBinary(record); }

void K7DataColor::setSize() { m_size = SIZE; }

void K7DataColor::makeBinary(char* out) {
    out[0] = static_cast<char>(m_color.r);
    out[1] = static_cast<char>(m_color.g);
    out[2] = static_cast<char>(m_color.b);
    out[3] = static_cast<char>(m_color.a);
}

void K7DataColor::setMajorType() { m_majorType = K7DATA_TYPE_COLOR; }

bool K7DataColor::decodeContent(const char* content, size_t offset, unsigned) {
    if (m_size != SIZE) {
        return refuseLength(offset);
    }
    m_color.r = static_cast<uint8_t>(content[0]);
    m_color.g = static_cast<uint8_t>(content[1]);
    m_color.b = static_cast<uint8_t>(content[2]);
    m_color.a = static_cast<uint8_t>(content[3]);
    return true;
}

void K7DataColor::resetValue() { m_color = _K7D_STR_COLOR(); }
