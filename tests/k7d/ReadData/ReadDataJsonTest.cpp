#include "K7DataJson.h"
#include "ReadDataHandle.h"
#include "ReadDataJson.h"
#include "ReadDataTestSupport.h"

namespace {

class ReadDataJsonTest : public ReadDataFileTest {
protected:
    // Reads `content` through a JSON reader handle into m_result, which
    // already holds one child.
    bool readJson(const std::string& content) {
        ReadDataHandle handle(DATA_TYPE_JSON);
        K7DataCtg parameters;
        return handle->read(writeFile("t.json", content)) && handle->setParam(&parameters) &&
               handle->getData(&m_result);
    }
    std::string resultJson() { return K7DataJson::makeJson(m_result).serialize(); }

    void SetUp() override {
        ReadDataFileTest::SetUp();
        m_result.addContents(textRecord("dcn", "before"));
    }

    K7DataCtg m_result;
};

TEST_F(ReadDataJsonTest, ArrayBecomesTheChildrenOfTheResult) {
    ASSERT_TRUE(
        readJson(" [{\"dcn\": \"road\"},\r\n {\"scl\": 5}, {\"ctg\": [{\"lnw\": 1.5}]}]\n"));
    EXPECT_EQ(resultJson(), R"([{"dcn":"before"},{"dcn":"road"},{"scl":5},{"ctg":[{"lnw":1.5}]}])");
    EXPECT_EQ(m_result.getType(), "ctg");
    EXPECT_EQ(m_result.getSize(), (4u + 6u) + (4u + 4u) + (4u + 1u) + (4u + 8u));
    EXPECT_EQ(logged(), "");
}

TEST_F(ReadDataJsonTest, RefusedFilesLeaveTheResultAsItWas) {
    struct Case {
        std::string content;
        std::string message;
    };
    const std::vector<Case> cases = {
        {R"({"dcn": "road"})", "[putReadData] : Data starting Object is not array."},
        {R"("text")", "Data starting Object is not array."},
        {R"([{"dcn": "road"}, {"scl": 5})", "JSON syntax error:"},
        {R"([{"dcn": "road"}] [])", "JSON syntax error:"},
        {"", "JSON syntax error:"},
        {R"([{"dcn": "road"}, {"scl": "five"}])", "JSON record refused:"},
        {R"([{"dcn": "road"}, 5])", "JSON record refused:"},
        {R"([{"ctg": [{"pyc": [1, 2]}]}])", "JSON record refused:"},
        {R"([{"upd": "2024"}])", "JSON record refused:"},
        {R"([{"scl": 1e12}])", "JSON record refused:"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(readJson(c.content)) << c.content;
        const std::string log = logged();
        EXPECT_NE(log.find("[error]"), std::string::npos) << c.content;
        EXPECT_NE(log.find(c.message), std::string::npos) << c.content << "\n" << log;
        EXPECT_EQ(resultJson(), R"([{"dcn":"before"}])") << c.content;
    }
}

TEST_F(ReadDataJsonTest, MissingFileIsLoggedAndRefused) {
    ReadDataJson reader;
    const std::string missing = path("missing.json");
    EXPECT_FALSE(reader.read(missing));
    const std::string log = logged();
    EXPECT_NE(log.find("[readDataFile] : file open error. " + missing), std::string::npos) << log;
    EXPECT_NE(log.find("[read] : readDataFile error " + missing), std::string::npos) << log;
    EXPECT_FALSE(reader.getData(&m_result));
}

}  // namespace
