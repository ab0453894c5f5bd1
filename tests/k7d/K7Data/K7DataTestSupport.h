#ifndef TOLKMAPS_TESTS_K7DATATESTSUPPORT_H
#define TOLKMAPS_TESTS_K7DATATESTSUPPORT_H

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "K7DataBase.h"
#include "K7DataGroup.h"
#include "Log.h"

// Builds encoded bytes from pieces: texts as their bytes, numbers as one
// byte each (use u32le / u16le for wider little-endian fields).
inline std::string bytes(std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string& part : parts) out += part;
    return out;
}
inline std::string u8(unsigned value) { return std::string(1, static_cast<char>(value)); }
inline std::string u16le(uint16_t value) { return u8(value & 0xFF) + u8(value >> 8); }
inline std::string u32le(uint32_t value) { return u16le(value & 0xFFFF) + u16le(value >> 16); }
// A record with the short header.
inline std::string record(const std::string& tag, const std::string& content) {
    return tag + u8(static_cast<unsigned>(content.size())) + content;
}

inline std::string encoded(K7DataBase& record) {
    const char* data = record.getBinary();
    return std::string(data, record.getSizeAll());
}

// Compares two trees: tags, type codes, sizes, children in order and the
// content bytes of every leaf.
inline void expectSameTree(K7DataBase& expected, K7DataBase& actual) {
    ASSERT_EQ(expected.getType(), actual.getType());
    ASSERT_EQ(expected.getMajorType(), actual.getMajorType()) << expected.getType();
    ASSERT_EQ(expected.getSize(), actual.getSize()) << expected.getType();
    auto* expectedGroup = dynamic_cast<K7DataGroup*>(&expected);
    auto* actualGroup = dynamic_cast<K7DataGroup*>(&actual);
    ASSERT_EQ(expectedGroup == nullptr, actualGroup == nullptr) << expected.getType();
    if (expectedGroup == nullptr) {
        const std::string want(expected.getData(), expected.getSize());
        const std::string got(actual.getData(), actual.getSize());
        EXPECT_EQ(want, got) << expected.getType();
        return;
    }
    const auto& want = expectedGroup->getContents();
    const auto& got = actualGroup->getContents();
    ASSERT_EQ(want.size(), got.size()) << expected.getType();
    for (size_t i = 0; i < want.size(); ++i) expectSameTree(*want[i], *got[i]);
}

// The log lines that a call writes (while the log is switched on).
template <typename Call>
std::string logOf(Call call) {
    testing::internal::CaptureStdout();
    call();
    return testing::internal::GetCapturedStdout();
}

// Switches the log on, at every level, for one test.
class K7DataLogCapture : public ::testing::Test {
protected:
    void SetUp() override {
        Log::chkConsole = true;
        Log::chkFilterLevel = 1;
    }
    void TearDown() override {
        Log::chkConsole = false;
        Log::chkFilterLevel = 2;
    }
};

#endif
