#ifndef TOLKMAPS_K7D_K7DATAPOLY_H
#define TOLKMAPS_K7D_K7DATAPOLY_H

#include <cstdint>

#include "CommonProc.h"
#include "GeoDataPoly.h"
#include "K7DataBase.h"

// A record whose content is a polygon: uint32 ring count, then per ring a
// uint32 point count and that many coordinates, each x then y as a T (uint8,
// int16, uint32 or double); held as doubles. A polygon whose only ring is
// empty is written as ring count 0, and ring count 0 reads back as that.
template <typename T>
class K7DataPoly : public K7DataBase, public CommonProc {
public:
    static constexpr uint32_t COUNT_SIZE = 4;

    K7DataPoly() {
        K7DataPoly::setMajorType();
        K7DataPoly::setSize();
    }
    explicit K7DataPoly(const char* record) : K7DataPoly() { setBinary(record); }

    const GeoDataPoly& getContents() const { return m_poly; }
    GeoDataPoly& editContents() { return m_poly; }

    void setSize() override;
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    // Refuses a ring or point count that runs past the record, and bytes
    // left over after the last ring.
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override { m_poly.clear(); }

private:
    // Whether the polygon is written as ring count 0.
    bool isEmpty() const { return m_poly.getPolyNum() == 1 && m_poly.getPtNum(0) == 0; }

    GeoDataPoly m_poly;
};

extern template class K7DataPoly<uint8_t>;
extern template class K7DataPoly<int16_t>;
extern template class K7DataPoly<uint32_t>;
extern template class K7DataPoly<double>;

#endif
