#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "JsonData.h"

namespace {

TEST(JsonDataTest, ConstructorsMakeEachKind) {
    EXPECT_TRUE(JsonData().isNull());
    EXPECT_EQ(JsonData("road").getString(), "road");
    EXPECT_EQ(JsonData(std::string("a\0b", 3)).getString().size(), 3u);
    EXPECT_EQ(JsonData(2.5).getNumber(), 2.5);
    EXPECT_EQ(JsonData(-7).getNumber(), -7.0);
    EXPECT_TRUE(JsonData(true).getBool());
    const JsonData array(std::vector<JsonData>{JsonData(1), JsonData("x")});
    EXPECT_EQ(array.serialize(), "[1,\"x\"]");
    const JsonData object(std::map<std::string, JsonData>{{"b", JsonData(1)}, {"a", JsonData()}});
    EXPECT_EQ(object.serialize(), "{\"a\":null,\"b\":1}");
}

TEST(JsonDataTest, NonFiniteNumbersAreRefused) {
    EXPECT_THROW(JsonData(std::nan("")), std::overflow_error);
    EXPECT_THROW(JsonData(std::numeric_limits<double>::infinity()), std::overflow_error);
    JsonData value(1);
    EXPECT_THROW(value.setJsonNumberValue(-std::numeric_limits<double>::infinity()),
                 std::overflow_error);
}

TEST(JsonDataTest, CopiesAreDeep) {
    JsonData array(std::vector<JsonData>{JsonData(1)});
    const JsonData copy = array;
    array.pushBack(JsonData(2));
    EXPECT_EQ(copy.getJsonToArray().size(), 1u);
    EXPECT_EQ(array.getJsonToArray().size(), 2u);

    JsonData object(std::map<std::string, JsonData>{});
    object.insert("k", JsonData("v"));
    EXPECT_EQ(object.getJsonToObject().at("k").getString(), "v");
}

TEST(JsonDataTest, WrongKindThrowsTypeMismatch) {
    const JsonData number(1);
    EXPECT_THROW(number.getJsonToArray(), std::runtime_error);
    EXPECT_THROW(number.getJsonToObject(), std::runtime_error);
    EXPECT_THROW(number.getString(), std::runtime_error);
    EXPECT_THROW(JsonData("1").getNumber(), std::runtime_error);
    JsonData text("x");
    EXPECT_THROW(text.pushBack(JsonData(1)), std::runtime_error);
    EXPECT_THROW(text.insert("k", JsonData(1)), std::runtime_error);
}

TEST(JsonDataTest, ObjectMembersComeInByteOrder) {
    JsonData value;
    std::string error;
    const std::string text = R"({"zzz": 1, "aaa": 2, "B": 3, "\u00e9": 4})";
    ASSERT_TRUE(value.parse(text.data(), text.size(), error)) << error;
    std::vector<std::string> keys;
    for (const auto& member : value.getJsonToObject()) keys.push_back(member.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"B", "aaa", "zzz", "\xc3\xa9"}));
}

TEST(JsonDataTest, ParseReadsOnlyTheGivenBytes) {
    struct Case {
        std::string text;
        size_t length;
        bool ok;
    };
    const std::vector<Case> cases = {
        {"[1, 2]", 6, true},     {"[1, 2]xyz", 6, true},    {"[1, 2] \r\n", 9, true},
        {"[1, 2]xyz", 9, false}, {"[1, 2", 5, false},       {"[1, 2]", 5, false},
        {"", 0, false},          {"{\"a\": }", 7, false},   {"[1e999]", 7, false},
        {"[-1e999]", 8, false},  {"[1, 2] [3]", 10, false},
    };
    for (const auto& c : cases) {
        // A copy of exactly `length` bytes, so that reading past it is caught.
        const std::vector<char> bytes(c.text.begin(), c.text.begin() + c.length);
        JsonData value(5);
        std::string error;
        EXPECT_EQ(value.parse(bytes.data(), bytes.size(), error), c.ok) << c.text;
        EXPECT_EQ(error.empty(), c.ok) << c.text;
        if (!c.ok) {
            EXPECT_TRUE(value.isNull()) << c.text;
        }
    }
}

}  // namespace
