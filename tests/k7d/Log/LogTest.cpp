#include <gtest/gtest.h>

#include <regex>

#include "Log.h"

namespace {

// Restores the log switches after each test and captures standard output.
class LogTest : public ::testing::Test {
protected:
    void SetUp() override { testing::internal::CaptureStdout(); }
    void TearDown() override {
        testing::internal::GetCapturedStdout();
        Log::chkConsole = false;
        Log::chkFilterLevel = 2;
    }
    std::string captured() {
        std::string text = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        return text;
    }
};

TEST_F(LogTest, DefaultsWriteNothingAtAnyLevel) {
    for (int level = 1; level <= 4; ++level) {
        Log::logOutput(level, "error", "a.cpp", "f", "message");
    }
    EXPECT_EQ(captured(), "");
}

TEST_F(LogTest, FilterLevelDecidesWhichLinesAppear) {
    Log::chkConsole = true;
    K7D_LOG_DEBUG("one");
    EXPECT_EQ(captured(), "");
    K7D_LOG_INFO("two");
    EXPECT_NE(captured(), "");

    Log::chkFilterLevel = 4;
    K7D_LOG_WARNING("three");
    EXPECT_EQ(captured(), "");
    K7D_LOG_ERROR("four");
    EXPECT_NE(captured(), "");
}

TEST_F(LogTest, LineFormatAndValues) {
    Log::chkConsole = true;
    Log::logOutput(3, "warning", "src/K7Data.cpp", "setBinary", "", "Unsupported Contents Type. : [ ",
                   7, " ]");
    const std::string line = captured();
    const std::regex format(
        R"(\[\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2}\]\[warning\]:\[src/K7Data\.cpp\]\[setBinary\] : (.*)\n)");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(line, match, format)) << line;
    EXPECT_EQ(match[1].str(), "Unsupported Contents Type. : [  7  ] ");
}

TEST_F(LogTest, ValuesAreDecimalWithBlankAfterEach) {
    Log::chkConsole = true;
    Log::logOutput(4, "error", "p", "f", "", "readDataFile error", "/tmp/x.dat",
                   static_cast<uint8_t>(65), 2.5);
    const std::string line = captured();
    EXPECT_NE(line.find(" : readDataFile error /tmp/x.dat 65 2.5 \n"), std::string::npos) << line;
}

}  // namespace
