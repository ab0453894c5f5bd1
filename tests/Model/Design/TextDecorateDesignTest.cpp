#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DesignTestSupport.h"
#include "K7DataAdp.h"
#include "K7DataAsl.h"
#include "K7DataAsp.h"
#include "K7DataCnr.h"
#include "K7DataLey.h"
#include "K7DataLnp.h"
#include "K7DataMgn.h"
#include "K7DataOfs.h"
#include "K7DataRmc.h"
#include "K7DataRmw.h"
#include "K7DataVtc.h"
#include "LineDesign.h"
#include "TextDecorateDesign.h"

namespace {

using namespace design_test;
using qiv::TextDecorateDesign;

std::vector<std::string> tags(K7DataGroup& group) {
    std::vector<std::string> result;
    for (K7DataBase* child : group.getContents()) result.push_back(child->getType());
    return result;
}

// Every record of a complete style, decoded from the binary form so that
// the groups hold the generic value classes as they do after a download.
std::unique_ptr<K7DataGroup> decoded(K7DataCtg* style) {
    std::unique_ptr<K7DataCtg> owned(style);
    const char* binary = owned->getBinary();
    auto group = std::make_unique<K7DataCtg>();
    EXPECT_TRUE(group->setBinaryBounded(binary, owned->getSizeAll()));
    return group;
}

K7DataCtg* fullStyle() {
    K7DataCtg* style = decoration("eng", 18);
    K7D_STR_POSITION<uint16_t> margin;
    margin.x = 4;
    margin.y = 3;
    for (K7DataBase* child : std::initializer_list<K7DataBase*>{
             record<K7DataAsl>(0.5f), record<K7DataAsp>(1.25f), record<K7DataAdp>(uint8_t{4}),
             record<K7DataVtc>(uint8_t{1}), record<K7DataRmw>(uint8_t{2}),
             record<K7DataRmc>(_K7D_STR_COLOR{255, 255, 255, 200}), record<K7DataLnw>(-2.7f),
             record<K7DataLnc>(_K7D_STR_COLOR{9, 9, 9, 255}), record<K7DataCnr>(3.5f), record<K7DataMgn>(margin),
             record<K7DataPyc>(_K7D_STR_COLOR{250, 250, 250, 255})}) {
        style->addContents(child);
    }
    return style;
}

TEST(TextDecorateDesignTest, ReadsEveryFieldOfADecodedStyle) {
    auto group = decoded(fullStyle());
    TextDecorateDesign style;
    ASSERT_TRUE(style.convert(group.get()));
    EXPECT_EQ(style.getLanguageType(), "eng");
    EXPECT_EQ(style.getFontName(), "NotoSansCJKjp-Bold");
    EXPECT_EQ(style.getTextSize(), 18);
    EXPECT_EQ(style.getMargin(), (std::array<float, 2>{4.0f, 3.0f}));
    EXPECT_EQ(style.getFrameLineWidth(), int16_t{-2});
    EXPECT_EQ(style.getBorderWidth(), 2.0f);
    EXPECT_EQ(style.getBorderColor(), (_K7D_STR_COLOR{255, 255, 255, 200}));
    EXPECT_EQ(style.getWritingDirection(), uint8_t{1});
    EXPECT_EQ(style.getTextPosition(), uint8_t{4});
    EXPECT_EQ(style.getSpread(), 1.25f);
    EXPECT_EQ(style.getSpreadLimit(), 0.5f);
}

TEST(TextDecorateDesignTest, RconvertWritesRequiredThenPresentSettingsInFixedOrder) {
    auto group = decoded(fullStyle());
    TextDecorateDesign style;
    ASSERT_TRUE(style.convert(group.get()));
    std::unique_ptr<K7DataCtg> records(style.rconvert());
    EXPECT_EQ(tags(*records), (std::vector<std::string>{"lgt", "ftn", "anc", "ans", "pyc", "mgn", "cnr", "lnc",
                                                        "lnw", "rmc", "rmw", "vtc", "adp", "asp", "asl"}));
    TextDecorateDesign again;
    ASSERT_TRUE(again.convert(decoded(records.release()).get()));
    EXPECT_EQ(again.getMargin(), style.getMargin());
    EXPECT_EQ(again.getFrameLineWidth(), style.getFrameLineWidth());
    EXPECT_EQ(again.getBorderWidth(), style.getBorderWidth());
    EXPECT_EQ(again.getPlateColor(), style.getPlateColor());
}

TEST(TextDecorateDesignTest, RequiredOnlyStyleDefaultsToJapaneseAndWritesFourRecords) {
    std::unique_ptr<K7DataCtg> group(decoration(""));
    TextDecorateDesign style;
    ASSERT_TRUE(style.convert(group.get()));
    EXPECT_EQ(style.getLanguageType(), "jpn");
    EXPECT_FALSE(style.getPlateColor() || style.getMargin() || style.getBorderWidth() || style.getTextPosition());
    std::unique_ptr<K7DataCtg> records(style.rconvert());
    EXPECT_EQ(tags(*records), (std::vector<std::string>{"lgt", "ftn", "anc", "ans"}));
}

TEST(TextDecorateDesignTest, StyleWithoutFontColourOrSizeIsNoLabelStyle) {
    for (const char* dropped : {"ftn", "anc", "ans"}) {
        std::unique_ptr<K7DataCtg> group(groupOf({record<K7DataLgt>(std::string("jpn"))}));
        std::unique_ptr<K7DataCtg> full(decoration("jpn"));
        for (K7DataBase* child : full->getContents()) {
            if (child->getType() != dropped && child->getType() != "lgt") group->addContents(child);
        }
        full->clearContents();
        TextDecorateDesign style;
        EXPECT_FALSE(style.convert(group.get())) << dropped;
    }
}

TEST(LineDesignTest, OptionalSettingsArePresentOnlyWhenRecorded) {
    std::unique_ptr<K7DataLng> bare(line("road", 5, -3.9f));
    qiv::LineDesign plain;
    ASSERT_TRUE(plain.convert(bare.get()));
    EXPECT_EQ(plain.getWidth(), -3);
    EXPECT_FALSE(plain.getEndSettings() || plain.getOffset() || plain.getPattern());

    std::unique_ptr<K7DataLng> full(line("road", 5, 2.0f));
    K7D_STR_LEY ends;
    ends.setting[1] = 2;
    K7D_STR_POSITION<double> offset;
    offset.x = 1.5;
    offset.y = -2.0;
    full->addContents(record<K7DataLey>(ends));
    full->addContents(record<K7DataOfs>(offset));
    full->addContents(record<K7DataLnp>(std::string("4|2")));
    qiv::LineDesign rich;
    ASSERT_TRUE(rich.convert(full.get()));
    EXPECT_EQ(rich.getEndSettings(), (std::array<uint8_t, 3>{0, 2, 0}));
    EXPECT_EQ(rich.getOffset(), (std::array<double, 2>{1.5, -2.0}));
    EXPECT_EQ(rich.getPattern(), std::string("4|2"));
}

}  // namespace
