#ifndef TOLKMAPS_K7D_K7DATAYMD_H
#define TOLKMAPS_K7D_K7DATAYMD_H

#include <array>
#include <string>

#include "K7DataBase.h"

// A date record ("upd", "dcd"): eight date characters and one more byte
// (normally 0). A new record holds "00000000" and a 0 byte.
class K7DataYmd : public K7DataBase {
public:
    static constexpr uint32_t SIZE = 9;

    K7DataYmd();
    explicit K7DataYmd(const char* record);

    // The characters up to the first 0 byte.
    std::string getContents() const;
    // All nine bytes.
    std::array<char, SIZE>& editContents() { return m_date; }
    // Sets "00000000" and a 0 byte.
    void init();

    void setSize() override;
    void makeBinary(char* out) override;
    void setMajorType() override;

protected:
    bool decodeContent(const char* content, size_t offset, unsigned depth) override;
    void resetValue() override;

private:
    std::array<char, SIZE> m_date;
};

#endif
