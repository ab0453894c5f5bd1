#ifndef TOLKMAPS_K7D_K7DATAPUPLINE_H
#define TOLKMAPS_K7D_K7DATAPUPLINE_H

#include <cstdint>
#include <string>

#include "CommonProc.h"
#include "GeoDataLine.h"
#include "K7DataBase.h"

// A record whose content is a polyline with a text: uint32 point count n,
// n coordinates (x then y, each a T: int16, uint32 or double), then the
// bytes of the text up to the end of the content.
template <typename T>
class K7DataPupLine : public K7DataBase, public CommonProc {
public:
    static constexpr uint32_t COUNT_SIZE = 4;

    K7DataPupLine() {
        K7DataPupLine::setMajorType();
        K7DataPupLine::setSize();
    }
    explicit K7DataPupLine(const char* record) : K7DataPupLine() { setBinary(record); }

    const GeoDataLine& getContents() const { return m_line; }
    GeoDataLine& editContents() { return m_line; }
    const std::string& getText() const { return m_text; }
    std::string& editText() { return m_text; }

    void setSize() override;
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    // Refuses a point count that runs past the record.
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override;

private:
    GeoDataLine m_line;
    std::string m_text;
};

extern template class K7DataPupLine<int16_t>;
extern template class K7DataPupLine<uint32_t>;
extern template class K7DataPupLine<double>;

#endif
