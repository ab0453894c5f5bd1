#include "BaseBuffer.h"

#include <GLES2/gl2.h>

#include "PointObjectData.h"
#include "PolygonData.h"
#include "PolygonTextureData.h"

namespace qiv {

template <typename Record, unsigned Target, unsigned Reserve>
BaseBuffer<Record, Target, Reserve>::BaseBuffer() {
    glGenBuffers(1, &m_buffer);
    glBindBuffer(Target, m_buffer);
    glBufferData(Target, sizeof(Record), nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(Target, 0);
    m_data.reserve(Reserve);
}

template <typename Record, unsigned Target, unsigned Reserve>
BaseBuffer<Record, Target, Reserve>::~BaseBuffer() {
    if (m_buffer != 0) glDeleteBuffers(1, &m_buffer);
}

template <typename Record, unsigned Target, unsigned Reserve>
void BaseBuffer<Record, Target, Reserve>::update(const std::vector<Record>& records) {
    upload(records.data(), static_cast<int>(records.size()), GL_DYNAMIC_DRAW);
}

template <typename Record, unsigned Target, unsigned Reserve>
void BaseBuffer<Record, Target, Reserve>::release() {
    if (m_buffer == 0) return;
    glDeleteBuffers(1, &m_buffer);
    m_buffer = 0;
    m_data.clear();
    glBindBuffer(Target, 0);
}

template <typename Record, unsigned Target, unsigned Reserve>
void BaseBuffer<Record, Target, Reserve>::upload(const Record* records, int count, unsigned usage) {
    glBindBuffer(Target, m_buffer);
    glBufferData(Target, static_cast<GLsizeiptr>(count) * static_cast<GLsizeiptr>(sizeof(Record)),
                 records, usage);
    glBindBuffer(Target, 0);
}

template class BaseBuffer<PolygonData>;
template class BaseBuffer<PolygonTextureData>;
template class BaseBuffer<PointObjectData>;

}  // namespace qiv
