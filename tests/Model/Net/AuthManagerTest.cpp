#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AuthManager.h"

using qiv::AuthManager;

namespace {

std::vector<char> bytes(const std::string& text) { return std::vector<char>(text.begin(), text.end()); }

const char* const kGoodStatus = R"("status": {"code": "success", "text": "OK"})";

std::string answer(const std::string& status, const std::string& result) {
    return "{" + status + ", \"result\": " + result + "}";
}

} // namespace

TEST(AuthManagerTest, ParseAcceptsACompleteSuccessAndTruncatesNumbers) {
    std::string serviceId;
    int division = -1;
    int cache = -1;
    ASSERT_TRUE(AuthManager::parse(
        bytes(answer(kGoodStatus, R"({"service_id": "S1", "division": 12.7, "cache": 100})")),
        &serviceId, &division, &cache));
    EXPECT_EQ("S1", serviceId);
    EXPECT_EQ(12, division);
    EXPECT_EQ(100, cache);
}

TEST(AuthManagerTest, ParseRefusesEveryIncompleteOrMistypedAnswer) {
    const std::string goodResult = R"({"service_id": "S1", "division": 12, "cache": 100})";
    const std::string cases[] = {
        "",
        "not json",
        "[1, 2]",
        R"({"result": )" + goodResult + "}",
        answer(R"("status": null)", goodResult),
        answer(R"("status": "success")", goodResult),
        answer(R"("status": {"code": "success"})", goodResult),
        answer(R"("status": {"code": "success", "text": null})", goodResult),
        answer(R"("status": {"code": "error", "text": "OK"})", goodResult),
        answer(R"("status": {"code": "success", "text": "ok"})", goodResult),
        answer(R"("status": {"code": 1, "text": "OK"})", goodResult),
        answer(kGoodStatus, "null"),
        answer(kGoodStatus, "[]"),
        answer(kGoodStatus, R"({"division": 12, "cache": 100})"),
        answer(kGoodStatus, R"({"service_id": 5, "division": 12, "cache": 100})"),
        answer(kGoodStatus, R"({"service_id": "S1", "division": "12", "cache": 100})"),
        answer(kGoodStatus, R"({"service_id": "S1", "division": 12, "cache": null})"),
        answer(kGoodStatus, R"({"service_id": "S1", "division": 1e300, "cache": 100})"),
        std::string(R"({"status": {"code": "success", "text": "OK"}, "result": {"service_id": "S1")"),
    };
    for (const std::string& body : cases) {
        std::string serviceId = "untouched";
        int division = -1;
        int cache = -1;
        EXPECT_FALSE(AuthManager::parse(bytes(body), &serviceId, &division, &cache)) << body;
        EXPECT_EQ("untouched", serviceId) << body;
        EXPECT_EQ(-1, division) << body;
    }
}
