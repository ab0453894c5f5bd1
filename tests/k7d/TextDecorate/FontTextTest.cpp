#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <fstream>
#include <string>
#include <vector>

#include "FontChar.h"
#include "FontInfo.h"
#include "FontText.h"
#include "GlyphTestSupport.h"

namespace {

using glyphs::LABEL_FONT;

constexpr double kSize = 24;

// The pixels with coverage, as the smallest box holding them.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    bool empty() const { return right < 0; }
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

Ink inkOf(const _TEXT_BITMAP_INFO& image, int fromX = 0, int toX = -1) {
    Ink ink;
    if (toX < 0) toX = image.width;
    for (int y = 0; y < image.height; ++y) {
        for (int x = fromX; x < toX; ++x) {
            if (image.data[static_cast<size_t>(y) * image.width + x] == 0) continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

// The coverage inside a box, row by row.
std::vector<uint8_t> crop(const _TEXT_BITMAP_INFO& image, const Ink& box) {
    std::vector<uint8_t> pixels;
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) pixels.push_back(image.data[static_cast<size_t>(y) * image.width + x]);
    }
    return pixels;
}

class FontTextTest : public glyphs::LogCapture {
protected:
    FontText& text(const std::string& utf8, bool horizontal = true,
                   TEXT_ALIGNMENT alignment = TEXT_ALIGNMENT_DEFAULT) {
        m_texts.emplace_back();
        FontText& result = m_texts.back();
        result.setInfo(LABEL_FONT, kSize, horizontal, alignment);
        result.setText(utf8);
        return result;
    }

    struct Box {
        int16_t width = 0, height = 0, ascent = 0, descent = 0;
    };
    static Box boxOf(wchar_t ch) {
        Box box;
        FontChar::getSize(nullptr, LABEL_FONT, kSize, ch, box.width, box.height, box.ascent, box.descent);
        return box;
    }

    std::deque<FontText> m_texts;
};

TEST_F(FontTextTest, TheLabelFontHasLatinAndJapaneseGlyphs) {
    for (wchar_t ch : {L'A', L'g', L'東', L'京', L'ア'}) {
        const Box box = boxOf(ch);
        EXPECT_GT(box.width, 1) << static_cast<int>(ch);
        EXPECT_GT(box.height, 0) << static_cast<int>(ch);
        std::vector<uint8_t> coverage;
        FontChar::getData(nullptr, LABEL_FONT, kSize, coverage, ch);
        EXPECT_EQ(coverage.size(), static_cast<size_t>(box.width) * box.height);
        EXPECT_TRUE(std::any_of(coverage.begin(), coverage.end(), [](uint8_t v) { return v == 255; }));
    }
    // A blank is as wide as its advance, plus the one pixel of spacing.
    EXPECT_GT(boxOf(L' ').width, 1);
    EXPECT_EQ(boxOf(L' ').height, 0);
}

TEST_F(FontTextTest, TwoLinesMeasureAsBothLinesPlusTheGap) {
    const FontText& lines = text("Ag\nTo");
    const Box a = boxOf(L'A'), g = boxOf(L'g'), t = boxOf(L'T'), o = boxOf(L'o');
    const int first = std::max(a.ascent, g.ascent) + std::max(a.descent, g.descent);
    const int second = std::max(t.ascent, o.ascent) + std::max(t.descent, o.descent);
    EXPECT_EQ(lines.getHeight(), first + second + static_cast<int>(kSize / 10));
    EXPECT_EQ(lines.getWidth(), std::max(a.width + g.width, t.width + o.width));
}

TEST_F(FontTextTest, EmptyLinesTakeTheTextSize) {
    const int two = text("A\nB").getHeight();
    EXPECT_EQ(text("A\n\nB").getHeight(), two + static_cast<int>(kSize));
    EXPECT_EQ(text("A\n").getHeight(), text("A").getHeight() + static_cast<int>(kSize));
    FontText& empty = text("");
    EXPECT_EQ(empty.getWidth(), 0);
    EXPECT_EQ(empty.getHeight(), 0);
    EXPECT_TRUE(empty.getData().data.empty());
}

TEST_F(FontTextTest, AVerticalColumnStacksItsCharactersWithGaps) {
    FontText& column = text("東京", false);
    const Box east = boxOf(L'東'), capital = boxOf(L'京');
    EXPECT_EQ(column.getWidth(), std::max(east.width, capital.width));
    EXPECT_EQ(column.getHeight(),
              east.ascent + east.descent + capital.ascent + capital.descent + static_cast<int>(kSize / 10));
    const _TEXT_BITMAP_INFO& image = column.getData();
    // The first character is above the second.
    const int half = image.height / 2;
    _TEXT_BITMAP_INFO top = image, bottom = image;
    top.height = static_cast<uint16_t>(half);
    EXPECT_EQ(crop(top, inkOf(top)), crop(text("東", false).getData(), inkOf(text("東", false).getData())));
    bottom.data.erase(bottom.data.begin(), bottom.data.begin() + static_cast<long>(half) * image.width);
    bottom.height = static_cast<uint16_t>(image.height - half);
    EXPECT_EQ(crop(bottom, inkOf(bottom)), crop(text("京", false).getData(), inkOf(text("京", false).getData())));
}

TEST_F(FontTextTest, VerticalLinesReadFromRightToLeft) {
    FontText& columns = text("山\n川", false);
    const Box mountain = boxOf(L'山'), river = boxOf(L'川');
    ASSERT_EQ(columns.getWidth(), mountain.width + river.width);
    const _TEXT_BITMAP_INFO& image = columns.getData();
    const Ink left = inkOf(image, 0, river.width);
    const Ink right = inkOf(image, river.width, image.width);
    const _TEXT_BITMAP_INFO& riverAlone = text("川", false).getData();
    const _TEXT_BITMAP_INFO& mountainAlone = text("山", false).getData();
    EXPECT_EQ(crop(image, left), crop(riverAlone, inkOf(riverAlone))) << "second line in the left column";
    EXPECT_EQ(crop(image, right), crop(mountainAlone, inkOf(mountainAlone))) << "first line in the right column";
}

TEST_F(FontTextTest, LinesAlignToStartCentreOrEnd) {
    const std::string lines = "i\nWWWW";
    const int width = text(lines).getWidth();
    const int dot = boxOf(L'i').width;
    struct Case {
        TEXT_ALIGNMENT alignment;
        int expectedLeft;
    };
    for (const Case& c : {Case{TEXT_ALIGNMENT_START, 0}, Case{TEXT_ALIGNMENT_CENTER, (width - dot) / 2},
                          Case{TEXT_ALIGNMENT_END, width - dot}, Case{TEXT_ALIGNMENT_DEFAULT, (width - dot) / 2}}) {
        const _TEXT_BITMAP_INFO& image = text(lines, true, c.alignment).getData();
        _TEXT_BITMAP_INFO firstLine = image;
        firstLine.height = static_cast<uint16_t>(boxOf(L'i').height);
        const Ink ink = inkOf(firstLine);
        ASSERT_FALSE(ink.empty());
        EXPECT_GE(ink.left, c.expectedLeft) << "alignment " << c.alignment;
        EXPECT_LE(ink.right, c.expectedLeft + dot) << "alignment " << c.alignment;
    }
    // An alignment given to getData overrides the one of setInfo.
    const Ink endInk = inkOf(text(lines, true, TEXT_ALIGNMENT_START).getData(TEXT_ALIGNMENT_END), 0, -1);
    EXPECT_GE(endInk.right, width - dot);
}

TEST_F(FontTextTest, SpreadIsBoundedByTheLimitAndStretchesTheImage) {
    FontText limited;
    limited.setLimit(2.0f);
    limited.setSpread(1.5f);
    EXPECT_FLOAT_EQ(limited.getSpread(), 2.0f);
    limited.setSpread(2.5f);
    EXPECT_FLOAT_EQ(limited.getSpread(), 2.5f);

    const _TEXT_BITMAP_INFO plain = text("Tokyo").getData();
    FontText wide;
    wide.setInfo(LABEL_FONT, kSize, true, TEXT_ALIGNMENT_DEFAULT);
    wide.setSpread(1.5f);
    wide.setText("Tokyo");
    EXPECT_EQ(wide.getWidth(), static_cast<int>(1.5f * plain.width + 1));
    EXPECT_EQ(wide.getHeight(), plain.height);
    const _TEXT_BITMAP_INFO& image = wide.getData();
    ASSERT_EQ(image.data.size(), static_cast<size_t>(image.width) * image.height);
    for (int y = 0; y < image.height; ++y) {
        EXPECT_EQ(image.data[static_cast<size_t>(y) * image.width], 0);
        EXPECT_EQ(image.data[static_cast<size_t>(y) * image.width + image.width - 1], 0);
    }
    EXPECT_NEAR(inkOf(image).width(), 1.5 * inkOf(plain).width(), 3.0);
    EXPECT_EQ(inkOf(image).height(), inkOf(plain).height());
}

TEST_F(FontTextTest, AnExtremeSpreadStaysInsideTheImage) {
    for (float spread : {0.0f, 0.3f, 9.0f}) {
        FontText stretched;
        stretched.setInfo(LABEL_FONT, kSize, true, TEXT_ALIGNMENT_DEFAULT);
        stretched.setSpread(spread);
        stretched.setText("il");
        const _TEXT_BITMAP_INFO& image = stretched.getData();
        EXPECT_EQ(image.data.size(), static_cast<size_t>(image.width) * image.height) << spread;
    }
}

TEST_F(FontTextTest, ACharacterBeyondTheBasicPlaneIsOneGlyph) {
    const wchar_t rare = static_cast<wchar_t>(0x20BB7);
    FontInfo::openFont(LABEL_FONT, kSize);
    if (!FontInfo::checkTofu(rare)) GTEST_SKIP() << "the label font lacks U+20BB7";
    const Box box = boxOf(rare);
    FontText& single = text("\xF0\xA0\xAE\xB7");
    EXPECT_EQ(single.getWidth(), box.width);
    std::vector<uint8_t> coverage;
    FontChar::getData(nullptr, LABEL_FONT, kSize, coverage, rare);
    const _TEXT_BITMAP_INFO& image = single.getData();
    EXPECT_EQ(crop(image, inkOf(image)).size(), static_cast<size_t>(inkOf(image).width()) * inkOf(image).height());
    EXPECT_GT(inkOf(image).width(), box.width / 2);
}

TEST_F(FontTextTest, MalformedUtf8IsDrawnWithoutReadingPastTheText) {
    const std::string bytes("\xFF\xE6\x9D" "A\xC3", 5);
    FontText& broken = text(bytes);
    EXPECT_GT(broken.getWidth(), boxOf(L'A').width);
    const _TEXT_BITMAP_INFO& image = broken.getData();
    EXPECT_EQ(image.data.size(), static_cast<size_t>(image.width) * image.height);
}

TEST_F(FontTextTest, AFontThatCannotBeOpenedIsLoggedAndDrawsNothing) {
    startCapture();
    FontText missing;
    missing.setInfo("/nonexistent/font.ttf", kSize, true, TEXT_ALIGNMENT_DEFAULT);
    missing.setText("AB");
    const _TEXT_BITMAP_INFO& image = missing.getData();
    const std::string log = stopCapture();
    EXPECT_NE(log.find("Get face error"), std::string::npos);
    EXPECT_EQ(image.height, 0);
    EXPECT_TRUE(image.data.empty());
}

TEST_F(FontTextTest, CharactersTheFaceLacksComeFromAFallbackOrAsTheMissingGlyph) {
    const wchar_t armenian = static_cast<wchar_t>(0x0531);
    FontInfo::openFont(LABEL_FONT, kSize);
    ASSERT_FALSE(FontInfo::checkTofu(armenian)) << "the label font has Armenian; pick another script";
    // Without a fallback the base font's missing-glyph shape is drawn.
    const _TEXT_BITMAP_INFO tofu = text("\xD4\xB1").getData();
    EXPECT_FALSE(inkOf(tofu).empty());

    if (!std::ifstream(glyphs::FALLBACK_FONT)) GTEST_SKIP() << "no fallback font installed";
    FontText::setBaseFont(glyphs::FALLBACK_FONT);
    const _TEXT_BITMAP_INFO fromFallback = text("\xD4\xB1").getData();
    EXPECT_FALSE(inkOf(fromFallback).empty());
    EXPECT_NE(crop(fromFallback, inkOf(fromFallback)), crop(tofu, inkOf(tofu)));
    // Characters of the label font still come from it.
    const _TEXT_BITMAP_INFO& east = text("東").getData();
    EXPECT_EQ(east.width, boxOf(L'東').width);
}

}  // namespace
