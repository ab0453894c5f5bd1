#ifndef TOLKMAPS_DRAW_GLQUADPOINTMODEL_H
#define TOLKMAPS_DRAW_GLQUADPOINTMODEL_H

#include <memory>

#include "PointObjectData.h"

namespace qiv {

// A growable array of point sprites, uploaded in one piece. Its capacity
// doubles from 30 when full; clear keeps the memory for the next frame.
class GLQuadPointModel {
public:
    static constexpr int INITIAL_CAPACITY = 30;

    GLQuadPointModel();
    virtual ~GLQuadPointModel();

    // Appends a copy of the record.
    void addObject(const PointObjectData& record);
    // Count 0; capacity and memory are kept.
    void clear();

    const std::shared_ptr<PointObjectData>& getData() const { return m_data; }
    int getCount() const { return m_count; }
    int getCapacity() const { return m_capacity; }

private:
    // Doubles the capacity, copying the records into a zero-filled array.
    void grow();

    std::shared_ptr<PointObjectData> m_data;
    int m_capacity = INITIAL_CAPACITY;
    int m_count = 0;
};

}  // namespace qiv

#endif
