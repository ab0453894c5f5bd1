#include "RequestError.h"
#include "TileRequest.h"

#include <gtest/gtest.h>

namespace {

using Params = QueryParams::Params;

TEST(TileRequestTest, ReadsServiceIdVersionAndKeysInOrderOnce) {
    TileRequest request(Params{{"cid", "svc"}, {"data", "v1"}, {"quad", "3"}, {"quad", "01"}, {"quad", "3"},
                               {"other", "ignored"}},
                        4);
    EXPECT_EQ(request.serviceId(), "svc");
    EXPECT_EQ(request.version(), "v1");
    EXPECT_EQ(request.quadKeys(), (std::vector<std::string>{"3", "01"}));
}

TEST(TileRequestTest, RefusesMissingRepeatedAndBadParameters) {
    const std::string longest(30, '3');
    EXPECT_NO_THROW(TileRequest(Params{{"cid", "s"}, {"data", "v"}, {"quad", longest}}, 1));
    const std::vector<std::pair<const char*, Params>> cases{
        {"no cid", {{"data", "v"}, {"quad", "0"}}},
        {"no data", {{"cid", "s"}, {"quad", "0"}}},
        {"no quad", {{"cid", "s"}, {"data", "v"}}},
        {"two cids", {{"cid", "s"}, {"cid", "s"}, {"data", "v"}, {"quad", "0"}}},
        {"two versions", {{"cid", "s"}, {"data", "v"}, {"data", "w"}, {"quad", "0"}}},
        {"empty key", {{"cid", "s"}, {"data", "v"}, {"quad", ""}}},
        {"digit 4", {{"cid", "s"}, {"data", "v"}, {"quad", "04"}}},
        {"sign", {{"cid", "s"}, {"data", "v"}, {"quad", "-1"}}},
        {"31 digits", {{"cid", "s"}, {"data", "v"}, {"quad", longest + "0"}}},
        {"five keys", {{"cid", "s"}, {"data", "v"}, {"quad", "0"}, {"quad", "1"}, {"quad", "2"}, {"quad", "3"}, {"quad", "0"}}},
    };
    for (const auto& [what, params] : cases) {
        try {
            TileRequest request(params, 4);
            ADD_FAILURE() << what << " was accepted";
        } catch (const RequestError& error) {
            EXPECT_EQ(error.status(), 400) << what;
        }
    }
}

TEST(QueryParamsTest, KeepsEveryOccurrenceAndDecodesEscapes) {
    const Params params = QueryParams::parse("/p?quad=0&quad=0&n%61me=a+b%2B%3d&flag&&empty=");
    EXPECT_EQ(params.count("quad"), 2u);
    EXPECT_EQ(params.find("name")->second, "a b+=");
    EXPECT_EQ(params.find("flag")->second, "");
    EXPECT_EQ(params.find("empty")->second, "");
    EXPECT_EQ(params.size(), 5u);
    EXPECT_TRUE(QueryParams::parse("/p").empty());
    for (const char* broken : {"/p?a=%", "/p?a=%4", "/p?a=%zz"}) {
        try {
            QueryParams::parse(broken);
            ADD_FAILURE() << broken;
        } catch (const RequestError& error) {
            EXPECT_EQ(error.status(), 400) << broken;
        }
    }
}

}  // namespace
