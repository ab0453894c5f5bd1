#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "K7DataColor.h"
#include "K7DataCtg.h"
#include "K7DataDfg.h"
#include "K7DataLn4.h"
#include "K7DataOfs.h"
#include "K7DataFactory.h"
#include "K7DataImPixel.h"
#include "K7DataLine.h"
#include "K7DataNumber.h"
#include "K7DataPoint.h"
#include "K7DataPoly.h"
#include "K7DataPosition.h"
#include "K7DataPupLine.h"
#include "K7DataSimple.h"
#include "K7DataTagTable.h"
#include "K7DataSampleTrees.h"
#include "K7DataTestSupport.h"
#include "K7DataText.h"
#include "K7DataType.h"
#include "K7DataUnd.h"
#include "K7DataYmd.h"

namespace {

TEST(K7DataCodec, EveryTagEncodesAndDecodesToTheSameTreeAndBytes) {
    std::unique_ptr<K7DataCtg> original = everyTag();
    ASSERT_EQ(original->getContents().size(), 120u);
    const std::string bytes = encoded(*original);
    ASSERT_GT(bytes.size(), 255u);  // the root needs the long header

    K7DataCtg decoded;
    ASSERT_TRUE(decoded.setBinaryBounded(bytes.data(), bytes.size()));
    expectSameTree(*original, decoded);
    EXPECT_EQ(encoded(decoded), bytes);

    K7DataCtg trusted;
    trusted.setBinary(bytes.data());
    expectSameTree(*original, trusted);
}

TEST(K7DataCodec, DecodedValuesMatchTheFilledOnes) {
    std::unique_ptr<K7DataCtg> original = everyTag();
    const std::string bytes = encoded(*original);
    K7DataCtg decoded;
    ASSERT_TRUE(decoded.setBinaryBounded(bytes.data(), bytes.size()));

    auto* poly = dynamic_cast<K7DataPoly<uint32_t>*>(decoded.getContents("py4").at(0));
    ASSERT_NE(poly, nullptr);
    EXPECT_EQ(poly->getContents(), as<K7DataPoly<uint32_t>>(*original->getContents("py4").at(0)).getContents());
    auto* pup = dynamic_cast<K7DataPupLine<double>*>(decoded.getContents("tf8").at(0));
    ASSERT_NE(pup, nullptr);
    EXPECT_EQ(pup->getText(), "pup text");
    EXPECT_EQ(pup->getContents().getPtNum(), 3u);
    auto* ofs = decoded.getContents<K7DataOfs>(0);
    ASSERT_NE(ofs, nullptr);
    EXPECT_EQ(ofs->getContents().x, 1.0 / 3);
    auto* date = dynamic_cast<K7DataYmd*>(decoded.getContents("upd").at(0));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->getContents(), "20261211");
    auto* pixels = dynamic_cast<K7DataImPixel<int16_t>*>(decoded.getContents("ii2").at(0));
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels->getContents().samples[1], -2);
}

TEST(K7DataCodec, HeaderIsShortUpTo254AndLongFrom255) {
    for (uint32_t length : {0u, 1u, 254u, 255u, 256u, 70000u}) {
        K7DataText text;
        text.setType("txt");
        text.editContents().assign(length, 'a');
        const std::string bytes = encoded(text);
        const bool longHeader = length > 254;
        ASSERT_EQ(bytes.size(), length + (longHeader ? 8u : 4u)) << length;
        EXPECT_EQ(text.checkSize(), longHeader);
        if (longHeader) {
            EXPECT_EQ(bytes.substr(3, 5), u8(255) + u32le(length));
        } else {
            EXPECT_EQ(static_cast<uint8_t>(bytes[3]), length);
        }
        K7DataText back;
        ASSERT_TRUE(back.setBinaryBounded(bytes.data(), bytes.size())) << length;
        EXPECT_EQ(back.getContents(), text.getContents());
        EXPECT_EQ(encoded(back), bytes);
    }
}

TEST(K7DataCodec, EmptyGroupIsTheFourByteHeader) {
    const std::string bytes = record("ctg", "");
    K7DataCtg group;
    ASSERT_TRUE(group.setBinaryBounded(bytes.data(), bytes.size()));
    EXPECT_TRUE(group.getContents().empty());
    EXPECT_EQ(encoded(group), bytes);
    EXPECT_EQ(encoded(*std::make_unique<K7DataCtg>()), bytes);
}

TEST(K7DataCodec, UntypedAndUnknownRecordsStepOverTheirHeader) {
    const std::string oddTag("q\0\xFF", 3);
    const std::string bytes = record("ctg", record("und", "") + record("qqq", "") +
                                                record("dcn", "road") + record("sic", "") +
                                                record(oddTag, ""));
    K7DataCtg group;
    ASSERT_TRUE(group.setBinaryBounded(bytes.data(), bytes.size()));
    const auto& children = group.getContents();
    ASSERT_EQ(children.size(), 5u);
    EXPECT_EQ(children[4]->getType(), oddTag);
    EXPECT_EQ(children[0]->getType(), "und");
    EXPECT_EQ(children[1]->getType(), "qqq");
    EXPECT_NE(dynamic_cast<K7DataUnd*>(children[1]), nullptr);
    EXPECT_EQ(children[1]->getMajorType(), K7DATA_TYPE_UND);
    EXPECT_EQ(as<K7DataText>(*children[2]).getContents(), "road");
    EXPECT_EQ(children[3]->getType(), "sic");
    EXPECT_EQ(encoded(group), bytes);
}

TEST(K7DataCodec, PolygonWithTwoRingsKeepsBothPointCounts) {
    std::string coords3, coords4;
    for (uint32_t i = 0; i < 3; ++i) coords3 += u32le(i) + u32le(100 + i);
    for (uint32_t i = 0; i < 4; ++i) coords4 += u32le(10 * i) + u32le(4000000000u - i);
    const std::string bytes = record("py4", u32le(2) + u32le(3) + coords3 + u32le(4) + coords4);

    K7DataPoly<uint32_t> poly;
    ASSERT_TRUE(poly.setBinaryBounded(bytes.data(), bytes.size()));
    const GeoDataPoly& value = poly.getContents();
    ASSERT_EQ(value.getPolyNum(), 2u);
    EXPECT_EQ(value.getPtNum(0), 3u);
    EXPECT_EQ(value.getPtNum(1), 4u);
    EXPECT_EQ(value.x(0, 2), 2.0);
    EXPECT_EQ(value.y(1, 3), 4000000000.0 - 3);
    EXPECT_EQ(encoded(poly), bytes);
}

TEST(K7DataCodec, EmptyPolygonIsRingCountZero) {
    K7DataPoly<uint32_t> poly;
    poly.setType("py4");
    EXPECT_EQ(encoded(poly), record("py4", u32le(0)));

    const std::string bytes = record("py4", u32le(0));
    K7DataPoly<uint32_t> back;
    ASSERT_TRUE(back.setBinaryBounded(bytes.data(), bytes.size()));
    EXPECT_EQ(back.getContents().getPolyNum(), 1u);
    EXPECT_EQ(back.getContents().getPtNum(0), 0u);
}

TEST(K7DataCodec, LargestUint32CoordinateDecodesExactly) {
    const std::string bytes = record("ln4", u32le(0xFFFFFFFFu) + u32le(0));
    K7DataLn4 line;
    ASSERT_TRUE(line.setBinaryBounded(bytes.data(), bytes.size()));
    EXPECT_EQ(line.getContents().x(0), 4294967295.0);
    EXPECT_EQ(encoded(line), bytes);
}

// Integer coordinates round half away from zero and are clamped to the type.
TEST(K7DataCodec, CoordinatesRoundIntoTheirIntegerType) {
    struct Case {
        double value;
        uint32_t asUint32;
        int16_t asInt16;
    };
    const Case cases[] = {
        {10.5, 11, 11},      {10.4, 10, 10},         {-3.5, 0, -4},         {-2.5, 0, -3},
        {2.5, 3, 3},         {0.0, 0, 0},            {-0.4, 0, 0},          {4294967295.4, 0xFFFFFFFFu, 32767},
        {5e9, 0xFFFFFFFFu, 32767}, {-40000, 0, -32768}, {32767.6, 32768, 32767},
    };
    for (const Case& c : cases) {
        K7DataLn4 wide;
        wide.editContents().addCoord(c.value, 0);
        EXPECT_EQ(encoded(wide).substr(4, 4), u32le(c.asUint32)) << c.value;

        K7DataLine<int16_t> narrow;
        narrow.setType("ln2");
        narrow.editContents().addCoord(c.value, 0);
        EXPECT_EQ(encoded(narrow).substr(4, 2), u16le(static_cast<uint16_t>(c.asInt16))) << c.value;
    }
    K7DataLine<double> exact;
    exact.editContents().addCoord(10.4, -3.5);
    const std::string bytes = encoded(exact);
    K7DataLine<double> back;
    ASSERT_TRUE(back.setBinaryBounded(bytes.data(), bytes.size()));
    EXPECT_EQ(back.getContents().x(0), 10.4);
    EXPECT_EQ(back.getContents().y(0), -3.5);
}

TEST(K7DataCodec, DisplayFlagsAreTheLowFiveBits) {
    const std::string bytes = record("dfg", u8(0xF3));
    K7DataDfg flags;
    ASSERT_TRUE(flags.setBinaryBounded(bytes.data(), bytes.size()));
    const bool expected[] = {true, true, false, false, true};
    for (int k = 0; k < 5; ++k) EXPECT_EQ(flags.getContents().flag[k], expected[k]) << k + 1;
    EXPECT_EQ(encoded(flags), record("dfg", u8(0x13)));
}

TEST(K7DataCodec, DateReadsItsEightCharacters) {
    K7DataYmd fresh;
    EXPECT_EQ(fresh.getContents(), "00000000");
    EXPECT_EQ(encoded(fresh).substr(4), std::string("00000000") + u8(0));

    const std::string bytes = record("upd", "20261211" + u8(0));
    K7DataYmd date(bytes.data());
    EXPECT_EQ(date.getType(), "upd");
    EXPECT_EQ(date.getContents(), "20261211");
    date.init();
    EXPECT_EQ(date.getContents(), "00000000");
}

TEST(K7DataCodec, ContentOfAnUntypedRecordIsSkipped) {
    const std::string bytes = record("ctg", record("qqq", "xyz") + record("dcn", "road"));
    K7DataCtg group;
    ASSERT_TRUE(group.setBinaryBounded(bytes.data(), bytes.size()));
    ASSERT_EQ(group.getContents().size(), 2u);
    EXPECT_EQ(group.getContents()[0]->getSize(), 0u);
    EXPECT_EQ(as<K7DataText>(*group.getContents()[1]).getContents(), "road");
}

TEST(K7DataCodec, GetDataIsTheContentAlone) {
    K7DataColor color;
    color.setType("pyc");
    color.editContents() = {9, 8, 7, 6};
    EXPECT_EQ(std::string(color.getData(), color.getSize()), "\x09\x08\x07\x06");
    EXPECT_EQ(encoded(color), record("pyc", "\x09\x08\x07\x06"));
}

}  // namespace
