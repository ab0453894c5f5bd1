#include <utility>
#include <vector>

#include "K7DataTxt.h"
#include "ReadDataCSV.h"
#include "ReadDataTestSupport.h"
#include "ReadDataTextFile.h"
#include "TextSplit.h"

namespace {

// Records every data row as (row index, columns); fails the rows listed in
// m_failRows.
class RowRecorder : public ReadDataCSV {
public:
    std::vector<std::pair<uint32_t, std::vector<std::string>>> m_rows;
    std::vector<uint32_t> m_failRows;
    int m_finished = 0;

protected:
    bool putCsvData(const std::string& line, uint32_t row) override {
        TextSplit columns;
        columns.setString(line);
        std::vector<std::string> fields;
        for (uint32_t i = 0; i < columns.getSize(); ++i) fields.push_back(columns.getData(i));
        m_rows.emplace_back(row, fields);
        return std::find(m_failRows.begin(), m_failRows.end(), row) == m_failRows.end();
    }
    bool setCsvData() override {
        ++m_finished;
        return true;
    }
};

using Rows = std::vector<std::pair<uint32_t, std::vector<std::string>>>;

bool readWithLineBreak(ReadDataBase& reader, const std::string& file, int lineBreakCode,
                       K7DataCtg& result) {
    K7DataCtg parameters;
    if (lineBreakCode >= 0) parameters.addContents(numberRecord<uint8_t>("lbc", lineBreakCode));
    return reader.read(file) && reader.setParam(&parameters) && reader.getData(&result);
}

class ReadDataCSVTest : public ReadDataFileTest {};

TEST_F(ReadDataCSVTest, DataRowsOfBothLineEndKinds) {
    const Rows expected = {{0, {"x", "y"}}, {3, {"z", "a,b", ""}}, {4, {"", "q\"\"r"}}};
    struct Case {
        std::string content;
        int lineBreakCode;
    };
    const std::vector<Case> cases = {
        {"x,y\n\n//comment,\"a\"\nz,\"a,b\",\n\"\",\"q\"\"r\"\n", -1},
        {"x,y\n\n//comment,\"a\"\nz,\"a,b\",\n\"\",\"q\"\"r\"", 0},
        {"x,y\r\n\r\n//comment,\"a\"\r\nz,\"a,b\",\r\n\"\",\"q\"\"r\"\r\n", 1},
    };
    for (const auto& c : cases) {
        RowRecorder reader;
        K7DataCtg result;
        ASSERT_TRUE(
            readWithLineBreak(reader, writeFile("t.csv", c.content), c.lineBreakCode, result));
        EXPECT_EQ(reader.m_rows, expected) << "line break code " << c.lineBreakCode;
        EXPECT_EQ(reader.m_finished, 1);
    }
    EXPECT_EQ(logged(), "");
}

TEST_F(ReadDataCSVTest, CarriageReturnsStayWhenTheFileIsReadWithBareLineFeeds) {
    RowRecorder reader;
    K7DataCtg result;
    ASSERT_TRUE(readWithLineBreak(reader, writeFile("t.csv", "a,b\r\n\r\nc\r\n"), 0, result));
    EXPECT_EQ(reader.m_rows, (Rows{{0, {"a", "b\r"}}, {1, {"\r"}}, {2, {"c\r"}}}));
}

TEST_F(ReadDataCSVTest, FailingRowsDoNotStopTheOthers) {
    RowRecorder reader;
    reader.m_failRows = {1};
    K7DataCtg result;
    EXPECT_FALSE(readWithLineBreak(reader, writeFile("t.csv", "a\nb\nc"), 0, result));
    EXPECT_EQ(reader.m_rows.size(), 3u);
    EXPECT_EQ(reader.m_finished, 1);

    // The next getData starts afresh.
    reader.m_failRows.clear();
    reader.m_rows.clear();
    EXPECT_TRUE(reader.getData(&result));
    EXPECT_EQ(reader.m_rows.size(), 3u);
}

TEST_F(ReadDataCSVTest, UndefinedLineBreakCodesAreRefused) {
    RowRecorder reader;
    ASSERT_TRUE(reader.read(writeFile("t.csv", "a\r\nb")));
    for (const int code : {2, 255}) {
        K7DataCtg parameters;
        parameters.addContents(numberRecord<uint8_t>("lbc", static_cast<uint8_t>(code)));
        EXPECT_FALSE(reader.setParam(&parameters));
        const std::string log = logged();
        EXPECT_NE(log.find("[error]"), std::string::npos) << log;
        EXPECT_NE(
            log.find("[setParamMain] : 未定義の改行コードです : " + std::to_string(code) + " "),
            std::string::npos)
            << log;
    }
    K7DataCtg textCode;
    textCode.addContents(textRecord("lbc", "1"));
    EXPECT_FALSE(reader.setParam(&textCode));

    // A refused setParam leaves the default line break.
    K7DataCtg result;
    EXPECT_TRUE(reader.getData(&result));
    EXPECT_EQ(reader.m_rows, (Rows{{0, {"a\r"}}, {1, {"b"}}}));
}

TEST_F(ReadDataCSVTest, MissingFileIsLoggedAndRefused) {
    RowRecorder reader;
    ASSERT_TRUE(reader.read(writeFile("first.csv", "old")));
    const std::string missing = path("missing.csv");
    EXPECT_FALSE(reader.read(missing));
    const std::string log = logged();
    EXPECT_NE(log.find("[readCsv] : file open error. " + missing), std::string::npos) << log;
    EXPECT_NE(log.find("[read] : readDataFile error " + missing), std::string::npos) << log;

    // Nothing of the earlier file is left.
    K7DataCtg result;
    EXPECT_TRUE(reader.getData(&result));
    EXPECT_TRUE(reader.m_rows.empty());
    EXPECT_FALSE(reader.getData(nullptr));
}

TEST_F(ReadDataCSVTest, TextFileLinesBecomeTxtRecords) {
    ReadDataTextFile reader;
    K7DataCtg result;
    result.addContents(textRecord("dcn", "kept"));
    ASSERT_TRUE(readWithLineBreak(
        reader, writeFile("t.txt", "first line, with comma\r\n\r\n// note\r\n\"quoted\"\r\n"), 1,
        result));
    ASSERT_EQ(result.getContents().size(), 3u);
    std::vector<std::string> lines;
    for (K7DataBase* record : result.getContents("txt")) {
        ASSERT_NE(dynamic_cast<K7DataTxt*>(record), nullptr);
        EXPECT_EQ(record->getMajorType(), 2);
        lines.push_back(static_cast<K7DataText*>(record)->getContents());
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"first line, with comma", "\"quoted\""}));
    EXPECT_NE(logged().find("[debug]:"), std::string::npos);
}

}  // namespace
