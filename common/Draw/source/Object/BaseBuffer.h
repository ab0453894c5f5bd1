#ifndef TOLKMAPS_DRAW_BASEBUFFER_H
#define TOLKMAPS_DRAW_BASEBUFFER_H

#include <vector>

namespace qiv {

// A GL vertex buffer of records of type Record (uploaded byte for byte) and a
// record vector that callers may fill before an upload. The buffer name lives
// from construction to destruction. Construction, uploads and destruction
// need the GL context current on the calling thread (the render thread).
// The header carries no GL types: Target is the GL buffer target (34962 is
// GL_ARRAY_BUFFER), Reserve the records reserved up front.
template <typename Record, unsigned Target = 34962, unsigned Reserve = 1000>
class BaseBuffer {
public:
    // Generates the buffer and gives it room for one record (GL_DYNAMIC_DRAW).
    BaseBuffer();
    virtual ~BaseBuffer();
    BaseBuffer(const BaseBuffer&) = delete;
    BaseBuffer& operator=(const BaseBuffer&) = delete;

    // Uploads the records (GL_DYNAMIC_DRAW); the buffer is unbound afterwards.
    void update(const std::vector<Record>& records);
    // Deletes the GL buffer now (name 0 afterwards), empties the records and
    // unbinds the target. Nothing for a buffer already released.
    void release();

    unsigned getBufferID() const { return m_buffer; }
    std::vector<Record>& getData() { return m_data; }
    const std::vector<Record>& getData() const { return m_data; }

protected:
    // Binds the buffer, uploads `count` records from `records` with the given
    // GL usage and unbinds.
    void upload(const Record* records, int count, unsigned usage);

    unsigned m_buffer = 0;
    std::vector<Record> m_data;
};

}  // namespace qiv

#endif
