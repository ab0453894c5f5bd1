#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "GlyphTestSupport.h"
#include "TextCrToLf.h"
#include "TextDataBase.h"
#include "TextDataCmdn.h"
#include "TextFilter.h"
#include "TextZenHanAlpha.h"

namespace {

class TextFilterTest : public glyphs::LogCapture {
protected:
    // Runs a converter over a whole text; empty when it stops.
    static std::string convertAll(const TextBase& converter, const std::string& text) {
        std::string out;
        for (size_t pos = 0; pos < text.size();) {
            unsigned size = 0;
            out += converter.convText(text.data() + pos, text.size() - pos, &size);
            if (size == 0) return std::string();
            pos += size;
        }
        return out;
    }
};

TEST_F(TextFilterTest, CharacterSizeFollowsTheLeadByte) {
    struct Case {
        uint8_t lead;
        unsigned size;
    };
    for (const Case& c : {Case{0x00, 1}, Case{0x41, 1}, Case{0x7F, 1}, Case{0x80, 0}, Case{0xBF, 0},
                          Case{0xC0, 2}, Case{0xDF, 2}, Case{0xE0, 3}, Case{0xEF, 3}, Case{0xF0, 4},
                          Case{0xF7, 4}, Case{0xF8, 5}, Case{0xFB, 5}, Case{0xFC, 6}, Case{0xFD, 6},
                          Case{0xFE, 0}, Case{0xFF, 0}}) {
        EXPECT_EQ(TextCommon::getCharSize(c.lead), c.size) << std::hex << static_cast<int>(c.lead);
    }
    EXPECT_EQ(TextCommon::getCharSize("\xE6\x9D\xB1", 3), 3u);
    EXPECT_EQ(TextCommon::getCharSize("\xE6\x9D", 2), 0u) << "a character cut off by the end";
    EXPECT_EQ(TextCommon::getCharSize("", 0), 0u);
}

TEST_F(TextFilterTest, ConvertersReplaceTheirCharactersOnly) {
    struct Case {
        const char* name;
        std::unique_ptr<TextBase> converter;
        std::string in;
        std::string out;
    };
    Case cases[] = {
        {"base", std::make_unique<TextBase>(), "a\r\xE2\x88\x92\xEF\xBC\xA1", "a\r\xE2\x88\x92\xEF\xBC\xA1"},
        {"map", std::make_unique<TextDataBase>(std::map<std::string, std::string>{{"b", "xy"}}), "abc", "axyc"},
        {"cmdn", std::make_unique<TextDataCmdn>(), "1\xE2\x88\x92" "2\r\n\xE6\x9D\xB1",
         "1\xEF\xBC\x8D" "2\n\n\xE6\x9D\xB1"},
        // Full-width A, Z, a, z and the digit one; only the letters change.
        {"zenhan", std::make_unique<TextZenHanAlpha>(),
         "\xEF\xBC\xA1\xEF\xBC\xBA\xEF\xBD\x81\xEF\xBD\x9A\xEF\xBC\x91", "AZaz\xEF\xBC\x91"},
        {"crlf", std::make_unique<TextCrToLf>(), "a\rb\xE6\x9D\xB1\r", "a\nb\xE6\x9D\xB1\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(convertAll(*c.converter, c.in), c.out) << c.name;
}

TEST_F(TextFilterTest, TheLabelFilterTurnsMinusAndCarriageReturn) {
    TextFilter filter;
    filter.setInfo(TEXT_FILTER_CMDN);
    std::string text = "B1\xE2\x88\x92" "3\rExit";
    EXPECT_TRUE(filter.convText(&text));
    EXPECT_EQ(text, "B1\xEF\xBC\x8D" "3\nExit");

    // Other filter values, and a cleared filter, leave texts as they are.
    for (TEXT_FILTER none : {TEXT_FILTER_NONE, static_cast<TEXT_FILTER>(7)}) {
        filter.setInfo(none);
        std::string untouched = "a\r\xE2\x88\x92";
        EXPECT_TRUE(filter.convText(&untouched));
        EXPECT_EQ(untouched, "a\r\xE2\x88\x92");
    }
    filter.setInfo(TEXT_FILTER_CMDN);
    filter.clear();
    std::string cleared = "\r";
    EXPECT_TRUE(filter.convText(&cleared));
    EXPECT_EQ(cleared, "\r");
}

TEST_F(TextFilterTest, TextThatIsNotUtf8StaysUnchanged) {
    TextFilter filter;
    filter.setInfo(TEXT_FILTER_CMDN);
    for (const std::string& bad : {std::string("\x80" "abc\r"), std::string("ab\r\xE2\x88"),
                                  std::string("\r\xFF"), std::string("\r\xE2\x88\x92\xBF")}) {
        startCapture();
        std::string text = bad;
        EXPECT_FALSE(filter.convText(&text));
        const std::string log = stopCapture();
        EXPECT_EQ(text, bad);
        EXPECT_NE(log.find("char size 0 calculated : maybe not utf-8"), std::string::npos);
    }
}

}  // namespace
