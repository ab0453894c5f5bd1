#include "EncodedRecord.h"

#include "K7DataBytes.h"

#include <cstring>
#include <stdexcept>

EncodedRecord::EncodedRecord(const char* record, size_t length) {
    if (length < SHORT_HEADER) throw std::invalid_argument("record shorter than its header");
    uint32_t contentLength = static_cast<uint8_t>(record[3]);
    uint32_t header = SHORT_HEADER;
    if (contentLength == 0xFF) {
        if (length < LONG_HEADER) throw std::invalid_argument("record shorter than its header");
        contentLength = K7DataBytes::load<uint32_t>(record + SHORT_HEADER);
        header = LONG_HEADER;
    }
    if (length - header != contentLength)
        throw std::invalid_argument("record length " + std::to_string(contentLength) +
                                    " does not match its " + std::to_string(length - header) +
                                    " content bytes");
    setType(record);
    m_content = record + header;
    m_contentLength = contentLength;
    m_size = contentLength;
}

void EncodedRecord::setSize() { m_size = m_contentLength; }

void EncodedRecord::makeBinary(char* out) { std::memcpy(out, m_content, m_contentLength); }
