#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "K7DataColor.h"
#include "K7DataCtg.h"
#include "K7DataPosition.h"
#include "K7DataSimple.h"
#include "ReadDataDesign.h"
#include "ReadDataTestSupport.h"

namespace {

// Rows of each kind, filled with a valid value in every column; tests
// replace single columns.
std::vector<std::string> pointRow() {
    return {"", "1", "cafe", "16", "0|0", "0", "111", "jpn", "NotoSansCJKjp-Bold", "20|20|20|255", "12",
            "", "", "", "", "", "255|255|255|255", "2", "0", "4", "", ""};
}
std::vector<std::string> lineRow() { return {"", "2", "road", "12", "10|20|30|255", "3.5", "0|1|2", "0|0", ""}; }
std::vector<std::string> areaRow() { return {"", "3", "park", "12", "200|230|180|255", "", "0|0"}; }

std::string join(const std::vector<std::string>& columns) {
    std::string line;
    for (size_t i = 0; i < columns.size(); ++i) line += (i ? "," : "") + columns[i];
    return line;
}

std::vector<std::string> with(std::vector<std::string> row, size_t column, const std::string& value) {
    row[column] = value;
    return row;
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

K7DataGroup* group(K7DataBase* record) { return dynamic_cast<K7DataGroup*>(record); }

template <typename T>
T* first(K7DataBase* parent, const std::string& tag) {
    const auto& children = group(parent)->getContents(tag);
    return children.empty() ? nullptr : dynamic_cast<T*>(children.front());
}

std::vector<std::string> tags(K7DataBase* parent) {
    std::vector<std::string> result;
    for (K7DataBase* child : group(parent)->getContents()) result.push_back(child->getType());
    return result;
}

class ReadDataDesignTest : public ReadDataFileTest {
protected:
    // Reads `text` as a design table with the given line break code; the
    // result holds what getData appended.
    bool readTable(const std::string& text, uint8_t lineBreak = 1) {
        ReadDataDesign reader;
        EXPECT_TRUE(reader.read(writeFile("table", text)));
        std::unique_ptr<K7DataCtg> parameters(ctgRecord({numberRecord<uint8_t>("lbc", lineBreak)}));
        EXPECT_TRUE(reader.setParam(parameters.get()));
        m_result = std::make_unique<K7DataCtg>();
        return reader.getData(m_result.get());
    }
    K7DataBase* lineAreaDesigns() { return m_result->getContents()[0]; }
    K7DataBase* pointDesigns() { return m_result->getContents()[1]; }

    std::unique_ptr<K7DataCtg> m_result;
};

TEST_F(ReadDataDesignTest, GoodRowsGiveLineAreaAndPointGroupsInTableOrder) {
    ASSERT_TRUE(readTable(crlf({join(areaRow()), join(pointRow()), join(lineRow())})));
    EXPECT_EQ(logged(), "");
    ASSERT_EQ(m_result->getContents().size(), 2u);
    EXPECT_EQ(tags(lineAreaDesigns()), (std::vector<std::string>{"pgg", "lng"}));
    EXPECT_EQ(tags(pointDesigns()), (std::vector<std::string>{"atg"}));

    K7DataBase* line = group(lineAreaDesigns())->getContents()[1];
    EXPECT_EQ(tags(line), (std::vector<std::string>{"dcn", "scl", "lnc", "lnw", "ley", "ofs"}));
    EXPECT_EQ(first<K7DataText>(line, "dcn")->getContents(), "road");
    EXPECT_EQ(first<K7DataNumber<uint8_t>>(line, "scl")->getContents(), 12);
    EXPECT_EQ(first<K7DataColor>(line, "lnc")->getContents(), (_K7D_STR_COLOR{10, 20, 30, 255}));
    EXPECT_FLOAT_EQ(first<K7DataNumber<float>>(line, "lnw")->getContents(), 3.5f);
    EXPECT_EQ(first<K7DataSimple<K7D_STR_LEY>>(line, "ley")->getContents().setting[2], 2);

    K7DataBase* area = group(lineAreaDesigns())->getContents()[0];
    EXPECT_EQ(tags(area), (std::vector<std::string>{"dcn", "scl", "pyc", "ofs"}));

    K7DataBase* point = group(pointDesigns())->getContents()[0];
    EXPECT_EQ(tags(point), (std::vector<std::string>{"dcn", "scl", "ofs", "dfp", "icn", "ctg"}));
    EXPECT_EQ(first<K7DataNumber<uint16_t>>(point, "icn")->getContents(), 111);
    K7DataBase* decoration = group(first<K7DataGroup>(point, "ctg"))->getContents()[0];
    EXPECT_EQ(tags(decoration), (std::vector<std::string>{"lgt", "ftn", "anc", "ans", "rmc", "rmw", "vtc", "adp"}));
    EXPECT_EQ(first<K7DataText>(decoration, "ftn")->getContents(), "NotoSansCJKjp-Bold");
    EXPECT_EQ(first<K7DataNumber<uint8_t>>(decoration, "adp")->getContents(), 4);
}

TEST_F(ReadDataDesignTest, EmptyColumnsWithDefaultsAreWrittenAndOthersLeftOut) {
    auto point = with(with(with(pointRow(), 4, ""), 5, ""), 7, "");
    auto line = with(with(lineRow(), 6, ""), 7, "");
    ASSERT_TRUE(readTable(crlf({join(point), join(line)})));
    K7DataBase* design = group(pointDesigns())->getContents()[0];
    EXPECT_EQ(first<K7DataPosition<double>>(design, "ofs")->getContents(), (K7D_STR_POSITION<double>{}));
    EXPECT_EQ(first<K7DataNumber<uint8_t>>(design, "dfp")->getContents(), 0);
    K7DataBase* decoration = group(first<K7DataGroup>(design, "ctg"))->getContents()[0];
    EXPECT_EQ(first<K7DataText>(decoration, "lgt")->getContents(), "jpn");
    K7DataBase* lineDesign = group(lineAreaDesigns())->getContents()[0];
    EXPECT_EQ(first<K7DataSimple<K7D_STR_LEY>>(lineDesign, "ley")->getContents(), K7D_STR_LEY{});
    EXPECT_EQ(first<K7DataPosition<double>>(lineDesign, "ofs")->getContents(), (K7D_STR_POSITION<double>{}));
    EXPECT_EQ(first<K7DataText>(lineDesign, "lnp"), nullptr);
}

TEST_F(ReadDataDesignTest, ValuesAreConvertedAndNarrowedToTheirRecords) {
    auto point = with(with(with(pointRow(), 4, "1.5|-2"), 12, "300|4"), 17, "258");
    auto line = with(lineRow(), 8, "4|2.5");
    ASSERT_TRUE(readTable(crlf({join(point), join(line)})));
    K7DataBase* design = group(pointDesigns())->getContents()[0];
    EXPECT_EQ(first<K7DataPosition<double>>(design, "ofs")->getContents(), (K7D_STR_POSITION<double>{1.5, -2.0}));
    K7DataBase* decoration = group(first<K7DataGroup>(design, "ctg"))->getContents()[0];
    EXPECT_EQ(first<K7DataPosition<uint16_t>>(decoration, "mgn")->getContents(), (K7D_STR_POSITION<uint16_t>{44, 4}));
    EXPECT_EQ(first<K7DataNumber<uint8_t>>(decoration, "rmw")->getContents(), 2);
    K7DataBase* lineDesign = group(lineAreaDesigns())->getContents()[0];
    EXPECT_EQ(first<K7DataText>(lineDesign, "lnp")->getContents(), "4|2.5");
}

TEST_F(ReadDataDesignTest, OffsetsAreRoundedToSinglePrecision) {
    ASSERT_TRUE(readTable(crlf({join(with(areaRow(), 6, "0.1|2"))})));
    K7DataBase* area = group(lineAreaDesigns())->getContents()[0];
    EXPECT_EQ(first<K7DataPosition<double>>(area, "ofs")->getContents().x, static_cast<double>(0.1f));
}

TEST_F(ReadDataDesignTest, IconOnlyPointHasOneDecorationOfLanguageOnly) {
    std::vector<std::string> point = pointRow();
    for (size_t column = 7; column <= 19; ++column) point[column] = "";
    ASSERT_TRUE(readTable(crlf({join(point)})));
    K7DataBase* design = group(pointDesigns())->getContents()[0];
    const auto& decorations = group(first<K7DataGroup>(design, "ctg"))->getContents();
    ASSERT_EQ(decorations.size(), 1u);
    EXPECT_EQ(tags(decorations[0]), (std::vector<std::string>{"lgt"}));
    EXPECT_EQ(first<K7DataText>(decorations[0], "lgt")->getContents(), "jpn");
}

TEST_F(ReadDataDesignTest, RowsOfOneNameAndLevelShareOnePointDesign) {
    auto english = with(with(with(pointRow(), 7, "eng"), 6, "999"), 4, "5|5");
    auto otherLevel = with(pointRow(), 3, "17");
    ASSERT_TRUE(readTable(crlf({join(pointRow()), join(otherLevel), join(english)})));
    const auto& designs = group(pointDesigns())->getContents();
    ASSERT_EQ(designs.size(), 2u);
    EXPECT_EQ(first<K7DataNumber<uint16_t>>(designs[0], "icn")->getContents(), 111);
    EXPECT_EQ(first<K7DataPosition<double>>(designs[0], "ofs")->getContents(), (K7D_STR_POSITION<double>{}));
    const auto& decorations = group(first<K7DataGroup>(designs[0], "ctg"))->getContents();
    ASSERT_EQ(decorations.size(), 2u);
    EXPECT_EQ(first<K7DataText>(decorations[1], "lgt")->getContents(), "eng");
}

TEST_F(ReadDataDesignTest, RepeatedLanguageFailsTheRowAndKeepsTheFirstStyle) {
    auto english = with(pointRow(), 7, "eng");
    EXPECT_FALSE(readTable(crlf({join(pointRow()), join(english), join(english)})));
    EXPECT_NE(logged().find("eng 既に登録された言語種別コードです"), std::string::npos);
    K7DataBase* design = group(pointDesigns())->getContents()[0];
    EXPECT_EQ(group(first<K7DataGroup>(design, "ctg"))->getContents().size(), 2u);
}

TEST_F(ReadDataDesignTest, CommentAndEmptyLinesAreSkippedWithoutMessages) {
    ASSERT_TRUE(readTable(crlf({"// a comment, with commas", "", join(lineRow()), "//", join(areaRow())})));
    EXPECT_EQ(logged(), "");
    EXPECT_EQ(group(lineAreaDesigns())->getContents().size(), 2u);
}

TEST_F(ReadDataDesignTest, BareLineFeedsMakeOneRow) {
    const std::string text = join(lineRow()) + "\n" + join(lineRow()) + "\n";
    EXPECT_TRUE(readTable(text, 0));
    EXPECT_EQ(group(lineAreaDesigns())->getContents().size(), 2u);

    EXPECT_FALSE(readTable(text, 1));
    const std::string log = logged();
    EXPECT_NE(log.find("1行目レコード"), std::string::npos);
    EXPECT_EQ(log.find("2行目レコード"), std::string::npos);
    EXPECT_LE(group(lineAreaDesigns())->getContents().size(), 1u);
}

TEST_F(ReadDataDesignTest, FailingRowReportNamesItsRowAndSections) {
    EXPECT_FALSE(readTable(crlf({"// header", join(lineRow()), join(with(lineRow(), 3, "0"))})));
    const std::string log = logged();
    EXPECT_NE(log.find("\n#-----------------------------------------------------------------#\n"
                       "3行目レコード\n\n【 必須情報チェック 】\n【 各カラムチェック 】\n"
                       "項番4 指定値が仕様範囲外です : 0\n"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("[error]"), std::string::npos);
}

TEST_F(ReadDataDesignTest, EveryRuleReportsItsMessage) {
    std::vector<std::string> unlabelled = pointRow();
    for (size_t column = 6; column <= 19; ++column) unlabelled[column] = "";
    const struct {
        std::vector<std::string> row;
        std::string message;
    } cases[] = {
        {with(pointRow(), 2, ""), "項番3 デザインカテゴリ名称がありません"},
        {with(lineRow(), 3, ""), "項番4 スケールレベルがありません"},
        {with(pointRow(), 8, ""), "項番9 フォント名がありません"},
        {with(pointRow(), 9, ""), "項番10 文字色がありません"},
        {with(pointRow(), 10, ""), "項番11 文字サイズがありません"},
        {with(with(pointRow(), 8, ""), 6, ""), "項番9 フォント名がありません"},
        {unlabelled, "項番7,9,10,11\n記号番号 又は 文字装飾がありません\n"},
        {with(lineRow(), 4, ""), "項番5 線色がありません"},
        {with(lineRow(), 5, ""), "項番6 線幅がありません"},
        {with(areaRow(), 4, ""), "項番6,5\n面色 又は 記号番号がありません\n"},
        {with(areaRow(), 3, "0"), "項番4 指定値が仕様範囲外です : 0"},
        {with(areaRow(), 3, "24"), "項番4 指定値が仕様範囲外です : 24"},
        {with(pointRow(), 5, "6"), "項番6 指定値が仕様範囲外です : 6"},
        {with(pointRow(), 18, "2"), "項番19 指定値が仕様範囲外です : 2"},
        {with(pointRow(), 19, "5"), "項番20 指定値が仕様範囲外です : 5"},
        {with(lineRow(), 4, "1||3|4"), "項番5 2番目のデータが空になっています"},
        {with(lineRow(), 3, "05"), "項番4 1番目のデータに文字が含まれています : 05"},
        {with(lineRow(), 5, "wide"), "項番6 1番目のデータに文字が含まれています : wide"},
        {with(pointRow(), 4, "1|x"), "項番5 2番目のデータに文字が含まれています : x"},
        {with(lineRow(), 8, "4|-"), "項番9 2番目のデータに文字が含まれています : -"},
        {with(lineRow(), 4, "1|2|3"), "項番5 指定データ数に誤りがあります : 3"},
        {with(pointRow(), 12, "1|2|3"), "項番13 指定データ数に誤りがあります : 3"},
        {with(lineRow(), 6, "0|0"), "項番7 指定データ数に誤りがあります : 2"},
        {with(areaRow(), 4, "256|0|0|0"), "項番5 色1番目の指定値が仕様範囲外です : 256"},
        {with(pointRow(), 16, "0|0|0|-1"), "項番17 色4番目の指定値が仕様範囲外です : -1"},
        {with(lineRow(), 6, "0|3|1"), "項番7 端点形状2番目の指定値が仕様範囲外です : 3"},
    };
    for (const auto& test : cases) {
        EXPECT_FALSE(readTable(crlf({join(test.row)}))) << test.message;
        const std::string log = logged();
        EXPECT_NE(log.find(test.message), std::string::npos) << test.message << "\n" << log;
    }
}

TEST_F(ReadDataDesignTest, LevelBoundsAreAccepted) {
    EXPECT_TRUE(readTable(crlf({join(with(areaRow(), 3, "1")), join(with(areaRow(), 3, "23"))})));
    EXPECT_EQ(logged(), "");
}

TEST_F(ReadDataDesignTest, UnknownKindAndShortRowsFailWithOneLine) {
    EXPECT_FALSE(readTable(crlf({",4,road,5", join(lineRow())})));
    std::string log = logged();
    EXPECT_NE(log.find("1行目レコード 指定された形状種別は未対応です :4 "), std::string::npos) << log;

    EXPECT_FALSE(readTable(crlf({join(lineRow()), ",2,road,5,1|2|3|4,2,0|0|0,0|0"})));
    log = logged();
    EXPECT_NE(log.find("2行目のカラム数が不正です8 "), std::string::npos) << log;
    EXPECT_EQ(group(lineAreaDesigns())->getContents().size(), 1u);
}

TEST_F(ReadDataDesignTest, AFailingRowDoesNotStopTheOthers) {
    EXPECT_FALSE(readTable(crlf({join(with(lineRow(), 3, "0")), join(with(lineRow(), 2, "rail"))})));
    const auto& designs = group(lineAreaDesigns())->getContents();
    ASSERT_EQ(designs.size(), 2u);
    EXPECT_EQ(first<K7DataText>(designs[1], "dcn")->getContents(), "rail");
}

TEST_F(ReadDataDesignTest, ReadTableGivesTheTreeOrNull) {
    std::unique_ptr<K7DataCtg> tree(ReadDataDesign::readTable(writeFile("good", crlf({join(lineRow())}))));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->getContents().size(), 2u);
    EXPECT_EQ(ReadDataDesign::readTable(writeFile("bad", crlf({join(with(lineRow(), 5, ""))}))), nullptr);
    EXPECT_EQ(ReadDataDesign::readTable(path("missing")), nullptr);
}

TEST(ReadDataDesignNumberTest, NumbersFollowTheTableRule) {
    for (const char* number : {"0", "0.5", "-1", "12.5", "-0.25", "7.", "100"}) {
        EXPECT_TRUE(ReadDataDesign::isNumber(number)) << number;
    }
    for (const char* text : {"", "-", "05", "-05", "1.2.3", "1a", ".", "+1", " 1", "1e3"}) {
        EXPECT_FALSE(ReadDataDesign::isNumber(text)) << text;
    }
}

// The shipped tables must pass the reader without a single error line.
class ShippedDesignTableTest : public ReadDataDesignTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ShippedDesignTableTest, ReadsWithoutErrors) {
    Log::chkFilterLevel = 3;
    std::unique_ptr<K7DataCtg> tree(
        ReadDataDesign::readTable(std::string(TOLKMAPS_SOURCE_DIR) + "/data/designs/" + GetParam()));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(logged(), "");
    EXPECT_GT(group(tree->getContents()[0])->getContents().size(), 100u);
    EXPECT_GT(group(tree->getContents()[1])->getContents().size(), 100u);
}

INSTANTIATE_TEST_SUITE_P(DesignSets, ShippedDesignTableTest, ::testing::Values("day", "night"));

}  // namespace
