#include <gtest/gtest.h>

#include <sstream>

#include "CsvData.h"

namespace {

std::vector<std::string> allLines(CsvData& csv) {
    std::vector<std::string> lines;
    const uint32_t count = csv.getRowSize();
    for (uint32_t i = 0; i < count; ++i) lines.push_back(csv.getLine(i));
    return lines;
}

TEST(CsvDataTest, LinesFollowTheChosenLineBreak) {
    struct Case {
        std::string text;
        std::string lineBreak;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"a,b\nc\n", "\n", {"a,b", "c", ""}},
        {"a,b\r\nc", "\r\n", {"a,b", "c"}},
        // A file with "\r\n" read with "\n" keeps the carriage returns.
        {"a\r\nb", "\n", {"a\r", "b"}},
        // A file with bare "\n" read with "\r\n" is one line.
        {"a\nb\n", "\r\n", {"a\nb\n"}},
        {"", "\n", {""}},
    };
    for (const auto& c : cases) {
        CsvData csv;
        ASSERT_TRUE(csv.setLineBreak(c.lineBreak));
        csv.setCsv(c.text);
        EXPECT_EQ(allLines(csv), c.lines);
    }
}

TEST(CsvDataTest, LineKeepsQuotesAndColumnsLoseThem) {
    CsvData csv;
    csv.setCsv("\"a\",\"b\"\n\"x,y\",z");
    EXPECT_EQ(csv.getLine(0), "\"a\",\"b\"");
    ASSERT_EQ(csv.getColSize(0), 2u);
    EXPECT_EQ(csv.getData(0u), "a");
    EXPECT_EQ(csv.getData(1u), "b");
    EXPECT_EQ(csv.getData(1, 0), "x,y");
    EXPECT_EQ(csv.getColSize(), 2u);
    EXPECT_EQ(csv.getData(1u), "z");
}

TEST(CsvDataTest, PastTheEndIsEmpty) {
    CsvData csv;
    csv.setCsv("a,b");
    EXPECT_EQ(csv.getLine(1), "");
    EXPECT_EQ(csv.getColSize(5), 1u);
    EXPECT_EQ(csv.getData(0u), "");
    EXPECT_EQ(csv.getData(0, 7), "");
}

TEST(CsvDataTest, SetDataPutsDelimitersBetweenFieldsOnly) {
    CsvData csv;
    csv.setLineBreak("\r\n");
    csv.setDelimiter("\t");
    csv.setData("a");
    csv.setData("b");
    csv.addLineBreak();
    csv.setData("c");
    csv.setData("");
    EXPECT_EQ(csv.getCsv(), "a\tb\r\nc\t");
    EXPECT_EQ(csv.getData(1, 0), "c");
    EXPECT_EQ(csv.getColSize(), 2u);
    csv.clear();
    EXPECT_EQ(csv.getCsv(), "");
    EXPECT_EQ(csv.getRowSize(), 1u);
}

TEST(CsvDataTest, SequentialReading) {
    CsvData csv;
    csv.setCsv("a,b\nc\n\"d\",e,f");
    std::vector<std::vector<std::string>> rows;
    csv.first();
    do {
        rows.emplace_back();
        do {
            rows.back().push_back(csv.getData());
        } while (csv.nextCol());
    } while (csv.nextRow());
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"a", "b"}, {"c"}, {"d", "e", "f"}}));
    EXPECT_EQ(csv.getLine(), "");
}

TEST(CsvDataTest, BorrowedTextIsFilledFromAStream) {
    std::string text = "old";
    CsvData csv;
    csv.setCsv_1(&text);
    std::istringstream input("p,q\nr\r\n\x01\x02");
    csv.setCsvFile(input);
    EXPECT_EQ(text, "p,q\nr\r\n\x01\x02");
    EXPECT_EQ(csv.getRowSize(), 3u);
    EXPECT_EQ(csv.getData(0, 1), "q");
}

TEST(CsvDataTest, CopyReadsItsOwnText) {
    auto original = std::make_unique<CsvData>();
    original->setCsv("a,b\nc,d");
    original->getRowSize();
    CsvData copy(*original);
    original.reset();
    EXPECT_EQ(copy.getRowSize(), 2u);
    EXPECT_EQ(copy.getData(1, 1), "d");

    CsvData assigned;
    assigned = copy;
    copy.setCsv("x");
    EXPECT_EQ(assigned.getLine(0), "a,b");
}

}  // namespace
