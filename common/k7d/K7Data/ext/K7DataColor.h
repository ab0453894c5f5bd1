#ifndef TOLKMAPS_K7D_K7DATACOLOR_H
#define TOLKMAPS_K7D_K7DATACOLOR_H

#include "K7DataBase.h"
#include "_K7D_STR_COLOR.h"

// A record whose content is a colour: red, green, blue, alpha, one byte each.
class K7DataColor : public K7DataBase {
public:
    static constexpr uint32_t SIZE = 4;

    K7DataColor();
    explicit K7DataColor(const char* record);

    const _K7D_STR_COLOR& getContents() const { return m_color; }
    _K7D_STR_COLOR& editContents() { return m_color; }

    void setSize() override;
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override;

private:
    _K7D_STR_COLOR m_color;
};

#endif
