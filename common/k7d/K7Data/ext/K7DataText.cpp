#include "K7DataText.h"

#include "K7DataType.h"

K7DataText::K7DataText() { setMajorType(); }

K7DataText::K7DataText(const char* record) : K7DataText() { setBinary(record); }

void K7DataText::setSize() { m_size = static_cast<uint32_t>(m_text.size()); }

void K7DataText::makeBinary(char* out) { m_text.copy(out, m_text.size()); }

void K7DataText::setMajorType() { m_majorType = K7DATA_TYPE_TEXT; }

bool K7DataText::decodeContent(const char* content, size_t, unsigned) {
    m_text.assign(content, m_size);
    return true;
}

void K7DataText::resetValue() { m_text.clear(); }
