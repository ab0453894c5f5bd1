#include <gtest/gtest.h>

#include "TextSplit.h"

namespace {

struct SplitCase {
    std::string text;
    std::string delimiter;
    std::vector<std::string> fields;
};

std::vector<std::string> allFields(TextSplit& split) {
    std::vector<std::string> fields;
    const uint32_t count = split.getSize();
    for (uint32_t i = 0; i < count; ++i) fields.push_back(split.getData(i));
    return fields;
}

TEST(TextSplitTest, FieldsWithQuotesAndDelimiters) {
    const std::vector<SplitCase> cases = {
        {"a,\"b,c\",d", ",", {"a", "b,c", "d"}},
        {"a,b,", ",", {"a", "b", ""}},
        {"", ",", {""}},
        {"\"\"", ",", {""}},
        {"a,\"\",b", ",", {"a", "", "b"}},
        {"\"abc\"", ",", {"abc"}},
        // A doubled quote inside a quoted field is kept as it stands.
        {"\"x\"\"y\",z", ",", {"x\"\"y", "z"}},
        // A quote that is never closed runs to the end of the text.
        {"a,\"b,c", ",", {"a", "\"b,c"}},
        {"\"", ",", {"\""}},
        // Text behind a closing quote stays in the field up to the delimiter.
        {"\"ab\"cd,e", ",", {"\"ab\"cd", "e"}},
        {"a::b::\"c::d\"", "::", {"a", "b", "c::d"}},
        {"a\tb", "\t", {"a", "b"}},
        // A quote inside a field does not open a quoted field.
        {"a\"b,c", ",", {"a\"b", "c"}},
    };
    for (const auto& c : cases) {
        TextSplit split(c.delimiter);
        split.setString(c.text);
        EXPECT_EQ(allFields(split), c.fields) << "text [" << c.text << "]";
    }
}

TEST(TextSplitTest, IndexPastTheEndGivesEmptyField) {
    TextSplit split;
    split.setString("a,b");
    ASSERT_EQ(split.getSize(), 2u);
    EXPECT_EQ(split.getData(2), "");
    EXPECT_EQ(split.getData(100), "");
    EXPECT_EQ(split.getRawData(2), "");
}

TEST(TextSplitTest, RawFieldKeepsItsQuotes) {
    TextSplit split;
    split.setString("\"a\",b");
    EXPECT_EQ(split.getRawData(0), "\"a\"");
    EXPECT_EQ(split.getData(0), "a");
}

TEST(TextSplitTest, EmptyDelimiterIsRefused) {
    TextSplit split;
    EXPECT_FALSE(split.setDelimiter(""));
    EXPECT_EQ(split.getDelimiter(), ",");
    split.setString("a,b");
    EXPECT_EQ(split.getSize(), 2u);
}

TEST(TextSplitTest, SequentialReadingVisitsEveryFieldOnce) {
    TextSplit split(";");
    split.setString("x;\"y;z\";w");
    std::vector<std::string> seen;
    split.first();
    do {
        seen.push_back(split.getData());
        if (split.checkLast()) break;
    } while (split.next());
    EXPECT_EQ(seen, (std::vector<std::string>{"x", "y;z", "w"}));
    EXPECT_FALSE(split.next());
    EXPECT_EQ(split.getData(), "");
}

TEST(TextSplitTest, SetDataBuildsTextAndRefreshesFields) {
    TextSplit split;
    split.setData("a");
    EXPECT_EQ(split.getString(), "a");
    EXPECT_EQ(split.getSize(), 1u);
    split.setData("\"b,c\"");
    split.setData("");
    EXPECT_EQ(split.getString(), "a,\"b,c\",");
    EXPECT_EQ(allFields(split), (std::vector<std::string>{"a", "b,c", ""}));
}

TEST(TextSplitTest, BorrowedTextIsReadAndWrittenInPlace) {
    std::string text = "1,2";
    TextSplit split;
    split.setString_1(&text);
    EXPECT_EQ(split.getSize(), 2u);
    split.setData("3");
    EXPECT_EQ(text, "1,2,3");
    EXPECT_EQ(split.getData(2), "3");

    // A copy borrows the same text; a copy of an owned text owns its own.
    TextSplit owned;
    owned.setString("p,q");
    TextSplit copy = owned;
    owned.setString("changed");
    EXPECT_EQ(copy.getString(), "p,q");
    EXPECT_EQ(copy.getData(1), "q");
}

}  // namespace
