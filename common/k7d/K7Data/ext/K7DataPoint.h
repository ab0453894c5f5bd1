#ifndef TOLKMAPS_K7D_K7DATAPOINT_H
#define TOLKMAPS_K7D_K7DATAPOINT_H

#include <cstdint>

#include "CommonProc.h"
#include "GeoDataPoint.h"
#include "K7DataBase.h"

// A record whose content is one coordinate, x then y, each a T (uint8,
// int16, uint32 or double); held as doubles.
template <typename T>
class K7DataPoint : public K7DataBase, public CommonProc {
public:
    static constexpr uint32_t SIZE = 2 * sizeof(T);

    K7DataPoint() {
        K7DataPoint::setMajorType();
        K7DataPoint::setSize();
    }
    explicit K7DataPoint(const char* record) : K7DataPoint() { setBinary(record); }

    const GeoDataPoint& getContents() const { return m_point; }
    GeoDataPoint& editContents() { return m_point; }

    void setSize() override { m_size = SIZE; }
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override { m_point = GeoDataPoint(); }

private:
    GeoDataPoint m_point;
};

extern template class K7DataPoint<uint8_t>;
extern template class K7DataPoint<int16_t>;
extern template class K7DataPoint<uint32_t>;
extern template class K7DataPoint<double>;

#endif
