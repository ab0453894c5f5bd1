#include <gtest/gtest.h>

#include "CommonProc.h"
#include "FileProcBase.h"
#include "ProcessTime.h"

namespace {

struct SplitCase {
    std::string text;
    std::string delimiter;
    std::vector<std::string> parts;
};

TEST(CommonProcTest, SplitKeepsEmptyParts) {
    const std::vector<SplitCase> cases = {
        {"3-5", "-", {"3", "5"}},
        {"a--b", "-", {"a", "", "b"}},
        {"a-", "-", {"a", ""}},
        {"", "-", {""}},
        {"a-b", "", {"a-b"}},
        {"x::y::z", "::", {"x", "y", "z"}},
    };
    CommonProc proc;
    for (const auto& c : cases) {
        std::vector<std::string> parts;
        EXPECT_TRUE(proc.split(parts, c.text, c.delimiter));
        EXPECT_EQ(parts, c.parts) << "text '" << c.text << "' at '" << c.delimiter << "'";
        std::list<std::string> listParts;
        proc.split(listParts, c.text, c.delimiter);
        EXPECT_EQ(std::vector<std::string>(listParts.begin(), listParts.end()), c.parts);
    }
}

TEST(CommonProcTest, NumbersAndBitStrings) {
    CommonProc proc;
    std::string text;
    proc.numToStr(static_cast<uint8_t>(65), text);
    EXPECT_EQ(text, "65");
    proc.numToStr(static_cast<int16_t>(-12), text);
    EXPECT_EQ(text, "-12");
    proc.numToStr(static_cast<uint64_t>(18446744073709551615ULL), text);
    EXPECT_EQ(text, "18446744073709551615");

    uint8_t small = 0;
    proc.binaryToDecimal("0110", small);
    EXPECT_EQ(small, 6);
    uint32_t medium = 0;
    proc.binaryToDecimal("101", medium);
    EXPECT_EQ(medium, 5u);
    proc.binaryToDecimal("", medium);
    EXPECT_EQ(medium, 0u);

    uint64_t hex = 0;
    proc.hexToDecimal(hex, "ff");
    EXPECT_EQ(hex, 255u);
    proc.hexToDecimal(hex, "0x1A");
    EXPECT_EQ(hex, 26u);
}

TEST(FileProcBaseTest, PathHelpers) {
    FileProcBase files;
    std::string path = "dir";
    files.appendSlash(path);
    EXPECT_EQ(path, "dir/");
    files.appendSlash(path);
    EXPECT_EQ(path, "dir/");
    std::string empty;
    files.appendSlash(empty);
    EXPECT_EQ(empty, "");

    EXPECT_EQ(files.getExtension("a/b.tar.gz"), "gz");
    EXPECT_EQ(files.getExtension("noext"), "");

    EXPECT_EQ(files.fetchDirName("a/b"), "a/b");
    EXPECT_EQ(files.fetchDirName("a/b/c.txt"), "a/b");
    EXPECT_EQ(files.fetchDirName("/c.txt"), "");
    EXPECT_EQ(files.fetchDirName("c.txt"), "");

    EXPECT_TRUE(files.checkDirWithOpt("x", FileProcBase::DIR_MUST_EXIST));
    EXPECT_TRUE(files.checkDirWithOpt("x", FileProcBase::DIR_CREATE));
    EXPECT_FALSE(files.checkDirWithOpt("x", 7));

    std::vector<std::string> found;
    EXPECT_FALSE(files.getAllFilePathInDir(found, "dir/file.txt", false));
    EXPECT_FALSE(files.getAllFilePathInDir(found, "file.txt", true));
    EXPECT_TRUE(files.getAllFilePathInDir(found, "", false));
    EXPECT_TRUE(files.getAllFilePathInDir(found, "./a.b/dir", true));
}

TEST(ProcessTimeTest, ElapsedIsZeroUntilStartedAndAfterEnd) {
    ProcessTime watch;
    watch.end();
    EXPECT_EQ(watch.elapsed(), 0.0);
    watch.start();
    volatile double sink = 0;
    for (int i = 0; i < 2000000; ++i) sink = sink + i;
    EXPECT_GT(watch.elapsed(), 0.0);
    EXPECT_GT(watch.end(), 0.0);
    EXPECT_EQ(watch.elapsed(), 0.0);
}

}  // namespace
