#include "IndirectHandle.h"
#include "IndirectK7DataMaster.h"
#include "K7DataColor.h"
#include "K7DataYmd.h"
#include "ReadDataTestSupport.h"

namespace {

// A table of rows with a name ("dcn"), a scale ("scl", uint8) and, inside a
// nested group, a date ("upd") and a count ("dtm", uint32).
class IndirectK7DataMasterTest : public ReadDataFileTest {
protected:
    void SetUp() override {
        ReadDataFileTest::SetUp();
        addRow("road", 3, "20240101", 70000);
        addRow("rail", 4, "20240102", 5);
        addRow("road", 5, "20240103", 4464);
        addRow("river", 9, "20240101", 70000);
        // A row without a scale.
        m_table.addContents(ctgRecord({textRecord("dcn", "road")}));
    }

    void addRow(const std::string& name, uint8_t scale, const std::string& date, uint32_t count) {
        auto* ymd = new K7DataYmd();
        ymd->setType("upd");
        std::copy(date.begin(), date.end(), ymd->editContents().begin());
        m_table.addContents(
            ctgRecord({textRecord("dcn", name), numberRecord<uint8_t>("scl", scale),
                       ctgRecord({ctgRecord({ymd}), numberRecord<uint32_t>("dtm", count)})}));
    }

    // The names and scales of the rows that match `conditions`.
    std::vector<std::string> select(IndirectK7Data& master, K7DataCtg& conditions) {
        std::vector<K7DataCtg*> rows;
        EXPECT_TRUE(master.indirectData(rows, &conditions));
        std::vector<std::string> found;
        for (K7DataCtg* row : rows) {
            std::string text = static_cast<K7DataText*>(row->getContents("dcn")[0])->getContents();
            for (K7DataBase* scale : row->getContents("scl")) {
                text += std::to_string(static_cast<K7DataNumber<uint8_t>*>(scale)->getContents());
            }
            found.push_back(text);
        }
        return found;
    }

    K7DataCtg m_table;
};

TEST_F(IndirectK7DataMasterTest, RowsMatchingEveryCondition) {
    struct Case {
        const char* what;
        std::vector<K7DataBase*> items;
        std::vector<std::string> rows;
    };
    std::vector<Case> cases;
    cases.push_back(
        {"text", {conditionItem("dcn", {textRecord("clv", "road")})}, {"road3", "road5", "road"}});
    cases.push_back({"range 3-5",
                     {conditionItem("scl", {textRecord("exv", "3-5")})},
                     {"road3", "rail4", "road5"}});
    cases.push_back({"range 5-3", {conditionItem("scl", {textRecord("exv", "5-3")})}, {}});
    cases.push_back({"value and range",
                     {conditionItem("scl", {textRecord("clv", "9"), textRecord("exv", "4-4")})},
                     {"rail4", "river9"}});
    cases.push_back({"both columns",
                     {conditionItem("dcn", {textRecord("clv", "road"), textRecord("clv", "river")}),
                      conditionItem("scl", {textRecord("exv", "4-9")})},
                     {"road5", "river9"}});
    cases.push_back({"nested date",
                     {conditionItem("upd", {textRecord("clv", "20240101")})},
                     {"road3", "river9"}});
    // 70000 narrowed to 32 bits stays 70000; "4464" matches 4464 exactly.
    cases.push_back(
        {"nested number",
         {conditionItem("dtm", {textRecord("clv", "70000"), textRecord("clv", "4464")})},
         {"road3", "road5", "river9"}});
    // 261 narrowed to 8 bits is 5.
    cases.push_back({"narrowed", {conditionItem("scl", {textRecord("clv", "261")})}, {"road5"}});
    cases.push_back({"no values", {conditionItem("dcn", {})}, {}});

    for (auto& c : cases) {
        K7DataCtg conditions;
        for (K7DataBase* item : c.items) conditions.addContents(item);
        IndirectK7DataMaster master;
        ASSERT_TRUE(master.setDataPointer(&m_table, &conditions)) << c.what;
        EXPECT_EQ(select(master, conditions), c.rows) << c.what;
    }
}

TEST_F(IndirectK7DataMasterTest, RowSearchStopsAtTheFirstMissingColumn) {
    // The last row has no "scl", so its "dcn" is not looked at either when
    // "scl" comes first.
    K7DataCtg scaleFirst;
    scaleFirst.addContents(conditionItem("scl", {textRecord("exv", "0-255")}));
    scaleFirst.addContents(conditionItem("dcn", {textRecord("clv", "road")}));
    IndirectK7DataMaster master;
    master.setDataPointer(&m_table, &scaleFirst);
    K7DataCtg nameOnly;
    nameOnly.addContents(conditionItem("dcn", {textRecord("clv", "road")}));
    EXPECT_EQ(select(master, nameOnly), (std::vector<std::string>{"road3", "road5"}));

    IndirectK7DataMaster nameFirst;
    nameFirst.setDataPointer(&m_table, &nameOnly);
    EXPECT_EQ(select(nameFirst, nameOnly), (std::vector<std::string>{"road3", "road5", "road"}));
}

TEST_F(IndirectK7DataMasterTest, ConditionTypesCompareColumnsInOrder) {
    K7DataCtg nameScale;
    nameScale.addContents(conditionItem("dcn", {textRecord("clv", "x")}));
    nameScale.addContents(conditionItem("scl", {textRecord("clv", "1")}));
    K7DataCtg sameColumns;
    sameColumns.addContents(conditionItem("dcn", {textRecord("clv", "other")}));
    sameColumns.addContents(conditionItem("scl", {textRecord("exv", "1-2")}));
    K7DataCtg otherOrder;
    otherOrder.addContents(conditionItem("scl", {textRecord("clv", "1")}));
    otherOrder.addContents(conditionItem("dcn", {textRecord("clv", "x")}));

    IndirectHandle handle(DATA_TYPE_JSON);
    ASSERT_NE(dynamic_cast<IndirectK7DataMaster*>(handle.get()), nullptr);
    ASSERT_TRUE(handle->setDataPointer(&m_table, &nameScale));
    EXPECT_TRUE(handle->checkConditionType(&nameScale));
    EXPECT_TRUE(handle->checkConditionType(&sameColumns));
    EXPECT_FALSE(handle->checkConditionType(&otherOrder));

    handle->clear();
    std::vector<K7DataCtg*> rows;
    EXPECT_TRUE(handle->indirectData(rows, &nameScale));
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(handle->setDataPointer(nullptr, &nameScale));
}

TEST_F(IndirectK7DataMasterTest, UnsupportedRecordKindsNeverMatch) {
    IndirectK7DataMaster master;
    K7DataColor color;
    EXPECT_FALSE(master.compareCondition(&color, "0"));
    const std::string log = logged();
    EXPECT_NE(log.find("[warning]:"), std::string::npos) << log;
    EXPECT_NE(log.find("[compareCondition] : Unsupported Contents Type. : [  3  ] "),
              std::string::npos)
        << log;
}

}  // namespace
