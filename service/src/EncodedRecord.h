#ifndef TOLKMAPS_SERVICE_ENCODEDRECORD_H
#define TOLKMAPS_SERVICE_ENCODEDRECORD_H

#include "K7DataBase.h"

#include <cstddef>

// A record that is already encoded, such as a stored tile, taken into a group
// as it is: the encoder writes its header from the content length and copies
// its content, without decoding and encoding the tree inside.
class EncodedRecord : public K7DataBase {
public:
    // `record` must hold exactly one encoded record (header and content,
    // nothing after it); throws std::invalid_argument otherwise. The bytes are
    // not copied and must outlive the record.
    EncodedRecord(const char* record, size_t length);

    void setSize() override;
    void makeBinary(char* out) override;

private:
    const char* m_content;
    uint32_t m_contentLength;
};

#endif
