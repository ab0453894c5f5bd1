#ifndef TOLKMAPS_K7D_K7DATANUMBER_H
#define TOLKMAPS_K7D_K7DATANUMBER_H

#include <cstdint>

#include "K7DataBase.h"

// A record whose content is one number of type T (uint8, uint16, uint32,
// uint64, int16, int64 or float).
template <typename T>
class K7DataNumber : public K7DataBase {
public:
    K7DataNumber() {
        K7DataNumber::setMajorType();
        K7DataNumber::setSize();
    }
    explicit K7DataNumber(const char* record) : K7DataNumber() { setBinary(record); }

    T getContents() const { return m_number; }
    T& editContents() { return m_number; }

    void setSize() override { m_size = sizeof(T); }
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override { m_number = 0; }

private:
    T m_number = 0;
};

extern template class K7DataNumber<uint8_t>;
extern template class K7DataNumber<uint16_t>;
extern template class K7DataNumber<uint32_t>;
extern template class K7DataNumber<uint64_t>;
extern template class K7DataNumber<int16_t>;
extern template class K7DataNumber<int64_t>;
extern template class K7DataNumber<float>;

#endif
