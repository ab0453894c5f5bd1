#ifndef TOLKMAPS_K7D_K7DATAPOSITION_H
#define TOLKMAPS_K7D_K7DATAPOSITION_H

#include <cstdint>

#include "K7DataBase.h"
#include "K7D_STR_POSITION.h"

// A record whose content is a position: x then y, each a T (uint16, uint32,
// float or double).
template <typename T>
class K7DataPosition : public K7DataBase {
public:
    static constexpr uint32_t SIZE = 2 * sizeof(T);

    K7DataPosition() {
        K7DataPosition::setMajorType();
        K7DataPosition::setSize();
    }
    explicit K7DataPosition(const char* record) : K7DataPosition() { setBinary(record); }

    const K7D_STR_POSITION<T>& getContents() const { return m_position; }
    K7D_STR_POSITION<T>& editContents() { return m_position; }

    void setSize() override { m_size = SIZE; }
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override { m_position = K7D_STR_POSITION<T>(); }

private:
    K7D_STR_POSITION<T> m_position;
};

extern template class K7DataPosition<uint16_t>;
extern template class K7DataPosition<uint32_t>;
extern template class K7DataPosition<float>;
extern template class K7DataPosition<double>;

#endif
