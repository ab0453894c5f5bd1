#include "TextureAtlasBuffer.h"

#include <GLES2/gl2.h>

namespace qiv {

void TextureAtlasBuffer::update(const std::shared_ptr<PointObjectData>& records, int count) {
    m_count = records && count > 0 ? count : 0;
    upload(records.get(), m_count, GL_STATIC_DRAW);
}

}  // namespace qiv
