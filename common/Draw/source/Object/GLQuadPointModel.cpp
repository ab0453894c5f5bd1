#include "GLQuadPointModel.h"

#include <algorithm>

namespace qiv {

namespace {

std::shared_ptr<PointObjectData> newRecords(int capacity) {
    return std::shared_ptr<PointObjectData>(new PointObjectData[capacity](),
                                            std::default_delete<PointObjectData[]>());
}

}  // namespace

GLQuadPointModel::GLQuadPointModel() : m_data(newRecords(INITIAL_CAPACITY)) {}

GLQuadPointModel::~GLQuadPointModel() = default;

void GLQuadPointModel::addObject(const PointObjectData& record) {
    if (m_count == m_capacity) grow();
    m_data.get()[m_count] = record;
    ++m_count;
}

void GLQuadPointModel::clear() {
    m_count = 0;
}

void GLQuadPointModel::grow() {
    const int capacity = m_capacity * 2;
    std::shared_ptr<PointObjectData> records = newRecords(capacity);
    std::copy(m_data.get(), m_data.get() + m_count, records.get());
    m_data = records;
    m_capacity = capacity;
}

}  // namespace qiv
