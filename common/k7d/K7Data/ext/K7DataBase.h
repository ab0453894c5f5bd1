#ifndef TOLKMAPS_K7D_K7DATABASE_H
#define TOLKMAPS_K7D_K7DATABASE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class K7DataGroup;

// One record: a three-character tag, the length of its content and a value
// whose layout follows from the tag. The encoding of one record is the tag,
// a length byte (the content length L when L <= 254, else 255 followed by L
// as a little-endian uint32) and the content. Records are not synchronized
// and not copied; a group owns its children.
class K7DataBase {
public:
    // Length of the short and the long header.
    static constexpr uint32_t SHORT_HEADER = 4;
    static constexpr uint32_t LONG_HEADER = 8;
    // The largest content length that the short header holds.
    static constexpr uint32_t SHORT_LIMIT = 254;
    // Groups nested deeper than this are refused by the decoder.
    static constexpr unsigned MAX_NESTING = 64;

    K7DataBase();
    virtual ~K7DataBase();
    K7DataBase(const K7DataBase&) = delete;
    K7DataBase& operator=(const K7DataBase&) = delete;

    // Content length, recomputed from the value first.
    virtual uint32_t getSize();
    // Content length plus header length.
    virtual uint32_t getSizeAll();
    // Whether the size field as it stands needs the long header.
    virtual bool checkSize();
    // Encodes header and content into a buffer that the record owns until the
    // next getBinary, getData or clear; getSizeAll() bytes long.
    virtual const char* getBinary();
    // Decodes one encoded record and trusts its lengths: use it only for data
    // known to be well formed. Data from outside goes through setBinaryBounded.
    virtual void setBinary(const char* record);
    // Like getBinary, with the content only (getSize() bytes).
    virtual const char* getData();
    // Sets the fixed tag of a named class; nothing in a class without one.
    virtual void setType();
    // Takes the first three characters as the tag; a text that ends sooner
    // leaves the rest of the tag 0.
    virtual void setType(const char* tag);
    virtual void setType(const std::string& tag);
    // Recomputes the size field from the value.
    virtual void setSize();
    // Reads the value from a content of size-field bytes.
    virtual void setFromBinary(const char* content);
    // Writes exactly getSize() bytes of content. Children of a group are
    // written with the sizes that the preceding getSize() computed.
    virtual void makeBinary(char* out);
    // Sets the type code of the class.
    virtual void setMajorType();

    std::string getType() const { return std::string(m_type, 3); }
    int32_t getMajorType() const { return m_majorType; }
    // Releases the binary buffer.
    void clear();

    // Decodes the one record at the start of `buffer` without reading past
    // `length` bytes, nor letting any child record run past its parent's
    // content. Bytes after the record are not read. On malformed input
    // (truncated header or content, a length that runs past its parent, a
    // count that runs past its record, a content that does not fit the
    // value's layout, groups nested deeper than MAX_NESTING) it logs the
    // reason at level "error" with the tag and the offset, leaves the record
    // empty (a group without children) and answers false. Answers true when
    // the whole record decoded. One forward pass; the buffer may be freed
    // when it returns. Safe for data from the network or a disk cache.
    bool setBinaryBounded(const char* buffer, size_t length);

protected:
    // Reads the value from `content`, whose length is the size field; the
    // length is already known to lie inside the buffer. `offset` is the
    // content's place in the outermost buffer (for log lines), `depth` the
    // nesting of this record. Answers false, after logging why and leaving
    // the value empty, when the content does not fit the value's layout.
    virtual bool decodeContent(const char* content, size_t offset, unsigned depth);

    // Empties the value (a group destroys its children); called when a
    // decode is refused, so that no half-built value stays behind.
    virtual void resetValue();

    // Logs why a record at `offset` is refused, with its tag and the given
    // values; answers false for the caller to return.
    template <typename... Values>
    bool refuse(const char* reason, size_t offset, const Values&... values) const;
    // Refuses a content whose length does not fit the value's layout.
    bool refuseLength(size_t offset) const {
        return refuse("Refused record: length does not fit the value.", offset, "length:", m_size);
    }
    // The tag with bytes outside printable ASCII shown as '?'.
    std::string printableType() const;

    char m_type[3];
    uint32_t m_size;
    std::unique_ptr<char[]> m_binary;
    int32_t m_majorType;

private:
    friend class K7DataGroup;

    // Decodes the record at `record`, which has `length` bytes left in its
    // parent. Answers the bytes it spans, or 0 when refused.
    size_t decodeRecord(const char* record, size_t length, size_t offset, unsigned depth);
    size_t decodeHeaderAndContent(const char* record, size_t length, size_t offset, unsigned depth);
    // Writes header and content with the current size field; answers the
    // bytes written.
    uint32_t writeRecord(char* out);
    // Empties the value and the size after a refused decode.
    void discardValue();
    uint32_t headerLength() const { return m_size > SHORT_LIMIT ? LONG_HEADER : SHORT_HEADER; }
};

#include "Log.h"

template <typename... Values>
bool K7DataBase::refuse(const char* reason, size_t offset, const Values&... values) const {
    K7D_LOG_ERROR(reason, " tag:", printableType(), "offset:", offset, values...);
    return false;
}

#endif
