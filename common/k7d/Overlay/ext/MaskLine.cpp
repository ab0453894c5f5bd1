#include "MaskLine.h"

MaskLine::MaskLine(uint32_t width) { init(width); }

void MaskLine::init(uint32_t width) { m_bits.assign(width / 8, '\0'); }

void MaskLine::clear() { m_bits.clear(); }

void MaskLine::getBitLine(uint32_t x, uint32_t length, _BitLine& line) const {
    const uint64_t end = static_cast<uint64_t>(x) + length;
    line.first = x / 8;
    line.last = static_cast<size_t>(end / 8);
    line.firstMask = static_cast<uint8_t>(0xFF >> (x % 8));
    if (line.last > m_bits.size()) {
        line.last = m_bits.size();
        line.lastMask = 0xFF;
    } else {
        line.lastMask = static_cast<uint8_t>(0xFF00 >> (end % 8));
    }
}

uint8_t MaskLine::byteAt(size_t index) const {
    return index < m_bits.size() ? static_cast<uint8_t>(m_bits[index]) : 0;
}

bool MaskLine::check(uint32_t x, uint32_t length) const {
    _BitLine line;
    getBitLine(x, length, line);
    if (line.first > m_bits.size()) return false;
    if (line.first == line.last) return (byteAt(line.first) & line.firstMask & line.lastMask) == 0;
    if ((byteAt(line.first) & line.firstMask) != 0) return false;
    for (size_t i = line.first + 1; i < line.last; ++i) {
        if (m_bits[i] != 0) return false;
    }
    return (byteAt(line.last) & line.lastMask) == 0;
}

void MaskLine::mask(uint32_t x, uint32_t length) {
    _BitLine line;
    getBitLine(x, length, line);
    if (line.first >= m_bits.size()) return;
    if (line.first == line.last) {
        m_bits[line.first] = static_cast<char>(m_bits[line.first] | (line.firstMask & line.lastMask));
        return;
    }
    m_bits[line.first] = static_cast<char>(m_bits[line.first] | line.firstMask);
    for (size_t i = line.first + 1; i < line.last; ++i) m_bits[i] = static_cast<char>(0xFF);
    if (line.last < m_bits.size()) m_bits[line.last] = static_cast<char>(m_bits[line.last] | line.lastMask);
}
