#include "K7DataBase.h"

#include <cstring>

#include "K7DataBytes.h"
#include "K7DataType.h"

K7DataBase::K7DataBase() : m_type{'u', 'n', 'd'}, m_size(0), m_majorType(K7DATA_TYPE_UND) {}

K7DataBase::~K7DataBase() = default;

uint32_t K7DataBase::getSize() {
    setSize();
    return m_size;
}

uint32_t K7DataBase::getSizeAll() {
    const uint32_t size = getSize();
    return size + (checkSize() ? LONG_HEADER : SHORT_HEADER);
}

bool K7DataBase::checkSize() { return m_size > SHORT_LIMIT; }

const char* K7DataBase::getBinary() {
    m_binary.reset(new char[getSizeAll()]);
    writeRecord(m_binary.get());
    return m_binary.get();
}

void K7DataBase::setBinary(const char* record) {
    uint32_t size = static_cast<uint8_t>(record[3]);
    uint32_t header = SHORT_HEADER;
    if (size == 0xFF) {
        size = K7DataBytes::load<uint32_t>(record + SHORT_HEADER);
        header = LONG_HEADER;
    }
    decodeRecord(record, static_cast<size_t>(header) + size, 0, 0);
}

const char* K7DataBase::getData() {
    const uint32_t size = getSize();
    m_binary.reset(new char[size == 0 ? 1 : size]);
    makeBinary(m_binary.get());
    return m_binary.get();
}

void K7DataBase::setType() {}

void K7DataBase::setType(const char* tag) {
    // Stops at a terminating 0, so that a shorter text is not read past its end.
    size_t i = 0;
    for (; i < sizeof m_type && tag[i] != '\0'; ++i) m_type[i] = tag[i];
    for (; i < sizeof m_type; ++i) m_type[i] = '\0';
}

void K7DataBase::setType(const std::string& tag) {
    for (size_t i = 0; i < sizeof m_type; ++i) m_type[i] = i < tag.size() ? tag[i] : '\0';
}

void K7DataBase::setSize() { m_size = 0; }

void K7DataBase::setFromBinary(const char* content) {
    if (!decodeContent(content, 0, 0)) resetValue();
}

void K7DataBase::makeBinary(char*) {}

void K7DataBase::setMajorType() { m_majorType = K7DATA_TYPE_UND; }

void K7DataBase::clear() { m_binary.reset(); }

bool K7DataBase::setBinaryBounded(const char* buffer, size_t length) {
    if (buffer == nullptr && length != 0) {
        refuse("Refused record: no buffer.", 0, "length:", length);
        discardValue();
        return false;
    }
    return decodeRecord(buffer, length, 0, 0) != 0;
}

bool K7DataBase::decodeContent(const char*, size_t offset, unsigned) {
    // A record without a value carries no content; whatever stands there is
    // skipped so that the records after it stay aligned.
    if (m_size != 0) {
        K7D_LOG_WARNING("Skipped the content of a record without a value.", " tag:", printableType(),
                        "offset:", offset, "length:", m_size);
        m_size = 0;
    }
    return true;
}

void K7DataBase::resetValue() {}

void K7DataBase::discardValue() {
    resetValue();
    m_size = 0;
}

std::string K7DataBase::printableType() const {
    std::string text(m_type, sizeof m_type);
    for (char& c : text) {
        if (c < 0x20 || c > 0x7E) c = '?';
    }
    return text;
}

size_t K7DataBase::decodeRecord(const char* record, size_t length, size_t offset, unsigned depth) {
    setMajorType();
    const size_t used = decodeHeaderAndContent(record, length, offset, depth);
    if (used == 0) discardValue();
    return used;
}

size_t K7DataBase::decodeHeaderAndContent(const char* record, size_t length, size_t offset,
                                          unsigned depth) {
    if (length < SHORT_HEADER) {
        refuse("Refused record: header runs past the end of its parent.", offset, "bytes left:",
               length);
        return 0;
    }
    std::memcpy(m_type, record, sizeof m_type);  // any three bytes, 0 included
    uint32_t size = static_cast<uint8_t>(record[3]);
    size_t header = SHORT_HEADER;
    if (size == 0xFF) {
        if (length < LONG_HEADER) {
            refuse("Refused record: long header runs past the end of its parent.", offset,
                   "bytes left:", length);
            return 0;
        }
        size = K7DataBytes::load<uint32_t>(record + SHORT_HEADER);
        header = LONG_HEADER;
    }
    if (size > length - header) {
        refuse("Refused record: content runs past the end of its parent.", offset, "length:", size,
               "bytes left:", length - header);
        return 0;
    }
    m_size = size;
    if (!decodeContent(record + header, offset + header, depth)) return 0;
    return header + size;
}

uint32_t K7DataBase::writeRecord(char* out) {
    std::memcpy(out, m_type, sizeof m_type);
    const uint32_t header = headerLength();
    if (header == LONG_HEADER) {
        out[3] = static_cast<char>(0xFF);
        K7DataBytes::store<uint32_t>(out + SHORT_HEADER, m_size);
    } else {
        out[3] = static_cast<char>(m_size);
    }
    makeBinary(out + header);
    return header + m_size;
}
