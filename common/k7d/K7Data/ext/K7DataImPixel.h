#ifndef TOLKMAPS_K7D_K7DATAIMPIXEL_H
#define TOLKMAPS_K7D_K7DATAIMPIXEL_H

#include <cstdint>

#include "K7DataBase.h"
#include "K7D_STR_IMPIXEL.h"

// A record whose content is a pixel image: uint8 samples per pixel, uint16
// width, uint16 height, then the samples, each a T (uint8, int8, uint16 or
// int16).
template <typename T>
class K7DataImPixel : public K7DataBase {
public:
    static constexpr uint32_t HEADER_SIZE = 5;

    K7DataImPixel() {
        K7DataImPixel::setMajorType();
        K7DataImPixel::setSize();
    }
    explicit K7DataImPixel(const char* record) : K7DataImPixel() { setBinary(record); }

    const K7D_STR_IMPIXEL<T>& getContents() const { return m_image; }
    K7D_STR_IMPIXEL<T>& editContents() { return m_image; }

    void setSize() override;
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    // Refuses a content with fewer samples than the header calls for, or
    // with a partial sample; further whole samples are kept.
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override { m_image = K7D_STR_IMPIXEL<T>(); }

private:
    K7D_STR_IMPIXEL<T> m_image;
};

extern template class K7DataImPixel<uint8_t>;
extern template class K7DataImPixel<int8_t>;
extern template class K7DataImPixel<uint16_t>;
extern template class K7DataImPixel<int16_t>;

#endif
