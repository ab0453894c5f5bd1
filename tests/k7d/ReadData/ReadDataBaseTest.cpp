#include <map>
#include <vector>

#include "ReadDataBase.h"
#include "ReadDataTestSupport.h"

namespace {

// Records what the base hands to its hooks; "dcn" is a required column.
class HookRecorder : public ReadDataBase {
public:
    std::map<std::string, std::string> m_required;
    std::vector<std::string> m_singles;
    std::vector<std::vector<std::string>> m_ranges;
    std::vector<std::string> m_order;
    bool m_analyzeAnswer = true;

protected:
    bool getRequiredClmName(std::vector<std::string>& names) override {
        names.push_back("dcn");
        return true;
    }
    bool setRequiredParam(const std::map<std::string, std::string>& values) override {
        m_required = values;
        return true;
    }
    bool getColumnNameFromIndex(std::string& name, uint64_t index) override {
        name = "col" + std::to_string(index);
        return true;
    }
    bool setParamValueClv(const std::string& name, const std::string& value) override {
        m_singles.push_back(name + "=" + value);
        return true;
    }
    bool setParamValueExv(const std::string& name, const std::vector<std::string>& parts) override {
        m_ranges.push_back(parts);
        m_ranges.back().insert(m_ranges.back().begin(), name);
        return true;
    }
    bool analyzeData() override { return m_analyzeAnswer; }
    bool putK7DataDtm(K7DataCtg* info) override { return mark("dtm", info); }
    bool putK7DataCty(K7DataCtg* info) override { return mark("cty", info); }
    bool putK7DataClm(K7DataCtg* info) override { return mark("clm", info); }
    bool putK7DataTen(K7DataCtg* info) override { return mark("ten", info); }
    bool putCtgDataDivision(K7DataCtg* data) override { return mark("data", data); }

private:
    bool mark(const std::string& step, K7DataCtg* group) {
        m_order.push_back(step);
        group->addContents(textRecord("txt", step));
        return true;
    }
};

class ReadDataBaseTest : public ReadDataFileTest {};

TEST_F(ReadDataBaseTest, ConditionItemsReachTheirHooks) {
    K7DataCtg parameters;
    parameters.addContents(
        conditionItem("dcn", {textRecord("clv", "road"), textRecord("clv", "x")}));
    parameters.addContents(conditionItem(
        "scl", {textRecord("clv", "5"), textRecord("exv", "3-5"), textRecord("exv", "7")}));
    parameters.addContents(
        ctgRecord({numberRecord<uint16_t>("clp", 4), ctgRecord({textRecord("clv", "v")})}));
    HookRecorder reader;
    ASSERT_TRUE(reader.setParam(&parameters));
    EXPECT_EQ(reader.m_required, (std::map<std::string, std::string>{{"dcn", "road"}}));
    EXPECT_EQ(reader.m_singles, (std::vector<std::string>{"scl=5", "col4=v"}));
    EXPECT_EQ(reader.m_ranges,
              (std::vector<std::vector<std::string>>{{"scl", "3", "5"}, {"scl", "7"}}));
    EXPECT_EQ(logged(), "");
}

TEST_F(ReadDataBaseTest, IncompleteConditionItemsAreRefused) {
    struct Case {
        const char* what;
        K7DataBase* item;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"required without clv", conditionItem("dcn", {textRecord("exv", "1-2")}),
         "Column Value not exist. dcn"},
        {"optional without values", conditionItem("scl", {}), "Column Value not exist. scl"},
        {"no value group", ctgRecord({textRecord("cln", "scl")}), "Column Value not exist. scl"},
        {"neither name nor position", ctgRecord({ctgRecord({textRecord("clv", "1")})}),
         "Column Name or Position not exist."},
        {"item that is not a group", textRecord("ctg", "x"), "Column Name or Position not exist."},
    };
    for (const auto& c : cases) {
        K7DataCtg parameters;
        parameters.addContents(c.item);
        HookRecorder reader;
        EXPECT_FALSE(reader.setParam(&parameters)) << c.what;
        const std::string log = logged();
        EXPECT_NE(log.find("[error]"), std::string::npos) << c.what;
        EXPECT_NE(log.find(c.message), std::string::npos) << c.what << ": " << log;
    }
    HookRecorder reader;
    EXPECT_FALSE(reader.setParam(nullptr));
}

TEST_F(ReadDataBaseTest, DataStepAppendsInformationThenData) {
    HookRecorder reader;
    ASSERT_TRUE(reader.read("unused"));
    EXPECT_EQ(reader.getPath(), "unused");
    K7DataCtg result;
    ASSERT_TRUE(reader.getData(&result));
    EXPECT_EQ(reader.m_order, (std::vector<std::string>{"dtm", "cty", "clm", "ten", "data"}));
    const std::vector<K7DataBase*>& groups = result.getContents("ctg");
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(static_cast<K7DataGroup*>(groups[0])->getContents("txt").size(), 4u);
    EXPECT_EQ(static_cast<K7DataGroup*>(groups[1])->getContents("txt").size(), 1u);

    reader.m_analyzeAnswer = false;
    K7DataCtg second;
    EXPECT_FALSE(reader.getData(&second));
    EXPECT_TRUE(second.getContents().empty());
}

}  // namespace
