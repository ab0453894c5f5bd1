#include "CommonProc.h"

#include <cstdlib>

template <typename Container>
void CommonProc::splitInto(Container& out, const std::string& text, const std::string& delimiter) {
    if (delimiter.empty()) {
        out.push_back(text);
        return;
    }
    std::string::size_type start = 0;
    for (auto found = text.find(delimiter, start); found != std::string::npos;
         found = text.find(delimiter, start)) {
        out.push_back(text.substr(start, found - start));
        start = found + delimiter.size();
    }
    out.push_back(text.substr(start));
}

bool CommonProc::split(std::vector<std::string>& out, const std::string& text,
                       const std::string& delimiter) const {
    splitInto(out, text, delimiter);
    return true;
}

bool CommonProc::split(std::list<std::string>& out, const std::string& text,
                       const std::string& delimiter) const {
    splitInto(out, text, delimiter);
    return true;
}

template <typename T>
T CommonProc::bitsToValue(const std::string& text) {
    T value = 0;
    T weight = 1;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        // Each character counts as its one-digit decimal value.
        const T digit = static_cast<T>(std::strtol(std::string(1, *it).c_str(), nullptr, 10));
        value = static_cast<T>(value + digit * weight);
        weight = static_cast<T>(weight * 2);
    }
    return value;
}

void CommonProc::binaryToDecimal(const std::string& text, uint8_t& out) const {
    out = bitsToValue<uint8_t>(text);
}
void CommonProc::binaryToDecimal(const std::string& text, uint16_t& out) const {
    out = bitsToValue<uint16_t>(text);
}
void CommonProc::binaryToDecimal(const std::string& text, uint32_t& out) const {
    out = bitsToValue<uint32_t>(text);
}
void CommonProc::binaryToDecimal(const std::string& text, uint64_t& out) const {
    out = bitsToValue<uint64_t>(text);
}

void CommonProc::hexToDecimal(uint64_t& out, const std::string& text) const {
    out = static_cast<uint64_t>(std::strtoll(text.c_str(), nullptr, 16));
}
