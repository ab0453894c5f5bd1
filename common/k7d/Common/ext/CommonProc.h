#ifndef TOLKMAPS_K7D_COMMONPROC_H
#define TOLKMAPS_K7D_COMMONPROC_H

#include <cstdint>
#include <list>
#include <string>
#include <vector>

// Number and string helpers shared by the record library's classes, which
// derive from it to call them directly. Stateless.
class CommonProc {
public:
    virtual ~CommonProc() = default;

    // Splits `text` at every `delimiter`, keeping empty parts. An empty
    // delimiter gives the whole text as the one part. Always true.
    bool split(std::vector<std::string>& out, const std::string& text,
               const std::string& delimiter) const;
    bool split(std::list<std::string>& out, const std::string& text,
               const std::string& delimiter) const;

    // Decimal text of an integer; 8-bit values are written as numbers.
    template <typename T>
    void numToStr(T value, std::string& out) const {
        if constexpr (sizeof(T) == 1) {
            out = std::to_string(static_cast<int>(value));
        } else {
            out = std::to_string(value);
        }
    }

    // Reads a text of binary digits, last character weight 1, into `out`
    // (wrapping in the width of the result). "101" gives 5.
    void binaryToDecimal(const std::string& text, uint8_t& out) const;
    void binaryToDecimal(const std::string& text, uint16_t& out) const;
    void binaryToDecimal(const std::string& text, uint32_t& out) const;
    void binaryToDecimal(const std::string& text, uint64_t& out) const;

    // Reads `text` as a signed 64-bit base-16 number the way strtol does.
    void hexToDecimal(uint64_t& out, const std::string& text) const;

private:
    template <typename Container>
    static void splitInto(Container& out, const std::string& text, const std::string& delimiter);
    template <typename T>
    static T bitsToValue(const std::string& text);
};

#endif
