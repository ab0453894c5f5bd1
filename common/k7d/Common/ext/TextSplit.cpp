#include "TextSplit.h"

namespace {
const char kQuote = '"';
}

TextSplit::TextSplit() : m_delimiter(",") {}

TextSplit::TextSplit(const std::string& delimiter) : TextSplit() {
    setDelimiter(delimiter);
}

void TextSplit::setString(const std::string& text) {
    m_ownText = text;
    m_borrowedText = nullptr;
    m_splitValid = false;
}

void TextSplit::setString_1(std::string* text) {
    m_borrowedText = text;
    m_splitValid = false;
}

const std::string& TextSplit::getString() const {
    return text();
}

bool TextSplit::setDelimiter(const std::string& delimiter) {
    if (delimiter.empty()) return false;
    m_delimiter = delimiter;
    m_splitValid = false;
    return true;
}

uint32_t TextSplit::getSize() {
    ensureSplit();
    return static_cast<uint32_t>(m_starts.size());
}

std::string TextSplit::getData(uint32_t index) {
    return rmDq(getRawData(index));
}

std::string TextSplit::getRawData(uint32_t index) {
    ensureSplit();
    const std::string& whole = text();
    if (index >= m_starts.size() || m_starts[index] > whole.size()) return std::string();
    const size_t start = m_starts[index];
    if (index + 1 == m_starts.size()) return whole.substr(start);
    // The next field starts right behind the delimiter that ends this one.
    const size_t end = m_starts[index + 1] - m_delimiter.size();
    if (end < start || end > whole.size()) return std::string();
    return whole.substr(start, end - start);
}

void TextSplit::first() {
    split();
    m_current = 0;
}

bool TextSplit::next() {
    ensureSplit();
    if (m_current < m_starts.size()) ++m_current;
    return m_current < m_starts.size();
}

std::string TextSplit::getData() {
    return getData(m_current);
}

bool TextSplit::checkLast() {
    ensureSplit();
    return m_current + 1 >= m_starts.size();
}

void TextSplit::setData(const std::string& field) {
    std::string& whole = text();
    if (!whole.empty()) whole += m_delimiter;
    whole += field;
    m_splitValid = false;
}

std::string& TextSplit::text() {
    return m_borrowedText ? *m_borrowedText : m_ownText;
}

const std::string& TextSplit::text() const {
    return m_borrowedText ? *m_borrowedText : m_ownText;
}

void TextSplit::ensureSplit() {
    if (!m_splitValid) split();
}

void TextSplit::split() {
    m_starts.assign(1, 0);
    for (size_t start = nextFieldStart(0); start != std::string::npos;
         start = nextFieldStart(start)) {
        m_starts.push_back(start);
    }
    m_splitValid = true;
}

size_t TextSplit::nextFieldStart(size_t start) const {
    const std::string& whole = text();
    size_t searchFrom = start;
    if (start < whole.size() && whole[start] == kQuote) {
        const size_t closing = whole.find(kQuote, start + 1);
        if (closing == std::string::npos) return std::string::npos;
        // The delimiter is looked for behind the closing quote, so that a
        // quoted field may hold the delimiter.
        searchFrom = closing + 1;
    }
    const size_t delimiter = whole.find(m_delimiter, searchFrom);
    if (delimiter == std::string::npos) return std::string::npos;
    return delimiter + m_delimiter.size();
}

std::string TextSplit::rmDq(const std::string& field) {
    if (field.size() >= 2 && field.front() == kQuote && field.back() == kQuote) {
        return field.substr(1, field.size() - 2);
    }
    return field;
}
