#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "CsvData.h"
#include "Log.h"
#include "TextProc.h"

namespace {

// A fresh directory for each test, with the log switched on and captured.
class TextProcTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/textproc-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        Log::chkConsole = true;
        testing::internal::CaptureStdout();
    }
    void TearDown() override {
        // Failure messages go to standard output too: show them with the log.
        const std::string output = testing::internal::GetCapturedStdout();
        if (HasFailure()) std::cout << output;
        Log::chkConsole = false;
        std::filesystem::remove_all(m_dir);
    }
    std::string logged() {
        std::string text = testing::internal::GetCapturedStdout();
        testing::internal::CaptureStdout();
        return text;
    }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }
    static std::string fileText(const std::string& file) {
        std::ifstream input(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(input), std::istreambuf_iterator<char>());
    }

    std::filesystem::path m_dir;
};

TEST_F(TextProcTest, WriteThenReadKeepsEveryByte) {
    const std::string text = std::string("a,\"b,c\"\r\n//x\n\nz\0end", 19);
    CsvData written;
    written.setCsv(text);
    ASSERT_TRUE(TextProc::writeCsv(path("t.csv"), written, false));
    EXPECT_EQ(fileText(path("t.csv")), text);

    CsvData read;
    read.setCsv("to be replaced");
    ASSERT_TRUE(TextProc::readCsv(path("t.csv"), &read));
    EXPECT_EQ(read.getCsv(), text);
    EXPECT_EQ(logged(), "");
}

TEST_F(TextProcTest, AppendOrReplace) {
    CsvData part;
    part.setCsv("one\n");
    ASSERT_TRUE(TextProc::writeCsv(path("t.csv"), part, false));
    part.setCsv("two\n");
    ASSERT_TRUE(TextProc::writeCsv(path("t.csv"), part, true));
    EXPECT_EQ(fileText(path("t.csv")), "one\ntwo\n");
    part.setCsv("three");
    ASSERT_TRUE(TextProc::writeCsv(path("t.csv"), part, false));
    EXPECT_EQ(fileText(path("t.csv")), "three");
}

TEST_F(TextProcTest, FailuresAreLoggedAndLeaveTheTextAlone) {
    CsvData csv;
    csv.setCsv("kept");
    EXPECT_FALSE(TextProc::readCsv(path("missing.csv"), &csv));
    EXPECT_EQ(csv.getCsv(), "kept");
    std::string log = logged();
    EXPECT_NE(log.find("[error]"), std::string::npos) << log;
    EXPECT_NE(log.find("[readCsv] : file open error. "), std::string::npos) << log;

    EXPECT_FALSE(TextProc::writeCsv(path("no/such/dir/t.csv"), csv, false));
    log = logged();
    EXPECT_NE(log.find("write error."), std::string::npos) << log;

    EXPECT_FALSE(TextProc::readCsv(path("missing.csv"), nullptr));
}

TEST_F(TextProcTest, DirectoryIsNotAFile) {
    CsvData csv;
    csv.setCsv("kept");
    EXPECT_FALSE(TextProc::readCsv(m_dir.string(), &csv));
    EXPECT_EQ(csv.getCsv(), "kept");
}

}  // namespace
