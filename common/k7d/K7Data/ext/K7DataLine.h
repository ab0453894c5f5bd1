#ifndef TOLKMAPS_K7D_K7DATALINE_H
#define TOLKMAPS_K7D_K7DATALINE_H

#include <cstdint>

#include "CommonProc.h"
#include "GeoDataLine.h"
#include "K7DataBase.h"

// A record whose content is a polyline: n coordinates, each x then y as a T
// (int16, uint32 or double), n following from the length; held as doubles.
template <typename T>
class K7DataLine : public K7DataBase, public CommonProc {
public:
    K7DataLine() { K7DataLine::setMajorType(); }
    explicit K7DataLine(const char* record) : K7DataLine() { setBinary(record); }

    const GeoDataLine& getContents() const { return m_line; }
    GeoDataLine& editContents() { return m_line; }

    void setSize() override;
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    // Refuses a length that is not a whole number of coordinates.
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override { m_line.clear(); }

private:
    GeoDataLine m_line;
};

extern template class K7DataLine<int16_t>;
extern template class K7DataLine<uint32_t>;
extern template class K7DataLine<double>;

#endif
