#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "K7DataColor.h"
#include "K7DataCtg.h"
#include "K7DataFactory.h"
#include "K7DataJson.h"
#include "K7DataNumber.h"
#include "K7DataPoly.h"
#include "K7DataPosition.h"
#include "K7DataSimple.h"
#include "K7DataText.h"
#include "K7DataType.h"
#include "K7DataUnd.h"

namespace {

JsonData parsed(const std::string& text) {
    JsonData value;
    std::string error;
    EXPECT_TRUE(value.parse(text.data(), text.size(), error)) << text << ": " << error;
    return value;
}

// The record of the only member of a one-member JSON object text.
std::unique_ptr<K7DataBase> recordOf(const std::string& text) {
    const auto members = parsed(text).getJsonToObject();
    return std::unique_ptr<K7DataBase>(K7DataJson::makeK7Data(*members.begin()));
}

// A "ctg" group read from the JSON form of its children.
std::unique_ptr<K7DataCtg> groupOf(const std::string& text) {
    auto group = std::make_unique<K7DataCtg>();
    K7DataJson::setJson(*group, {"ctg", parsed(text)});
    return group;
}

template <typename T>
T* as(const std::unique_ptr<K7DataBase>& record) {
    T* typed = dynamic_cast<T*>(record.get());
    EXPECT_NE(typed, nullptr) << record->getType();
    return typed;
}

TEST(K7DataJsonTest, GroupOfTextAndNumber) {
    const auto group = groupOf(R"([{"dcn": "road"}, {"scl": 5}])");
    EXPECT_EQ(group->getType(), "ctg");
    EXPECT_EQ(group->getMajorType(), K7DATA_TYPE_GROUP);
    ASSERT_EQ(group->getContents().size(), 2u);
    auto* name = dynamic_cast<K7DataText*>(group->getContents()[0]);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->getType(), "dcn");
    EXPECT_EQ(name->getContents(), "road");
    EXPECT_EQ(name->getSize(), 4u);
    auto* scale = dynamic_cast<K7DataNumber<uint8_t>*>(group->getContents("scl").at(0));
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->getContents(), 5);
    EXPECT_EQ(group->getSize(), 4u + 4u + 4u + 1u);
    EXPECT_EQ(K7DataJson::makeJson(*group).serialize(), R"([{"dcn":"road"},{"scl":5}])");
}

TEST(K7DataJsonTest, NumbersGoIntoFieldsByTheirWidth) {
    EXPECT_EQ(as<K7DataNumber<uint8_t>>(recordOf(R"({"scl": 300})"))->getContents(), 44);
    EXPECT_EQ(as<K7DataNumber<uint8_t>>(recordOf(R"({"scl": -1})"))->getContents(), 255);
    EXPECT_EQ(as<K7DataNumber<uint8_t>>(recordOf(R"({"scl": 5.9})"))->getContents(), 5);
    EXPECT_EQ(as<K7DataNumber<uint16_t>>(recordOf(R"({"icn": 65537})"))->getContents(), 1);
    EXPECT_EQ(as<K7DataNumber<int16_t>>(recordOf(R"({"dly": -2.5})"))->getContents(), -2);
    EXPECT_EQ(as<K7DataNumber<uint32_t>>(recordOf(R"({"dtm": 4294967295})"))->getContents(),
              4294967295u);
    EXPECT_EQ(as<K7DataNumber<int64_t>>(recordOf(R"({"rid": -9007199254740992})"))->getContents(),
              -9007199254740992LL);
    EXPECT_EQ(as<K7DataNumber<float>>(recordOf(R"({"lnw": 2.75})"))->getContents(), 2.75f);

    const auto color = recordOf(R"({"pyc": [300, -1, 0.9, 255]})");
    const _K7D_STR_COLOR expected{44, 255, 0, 255};
    EXPECT_EQ(as<K7DataColor>(color)->getContents(), expected);
}

TEST(K7DataJsonTest, FixedShapesTakeTheirElementsFromTheFront) {
    const auto offset = recordOf(R"({"ofs": [1.5, -2, 7]})");
    EXPECT_EQ(as<K7DataPosition<double>>(offset)->getContents().x, 1.5);
    EXPECT_EQ(as<K7DataPosition<double>>(offset)->getContents().y, -2.0);

    const auto flags = recordOf(R"({"dfg": 5})");
    const bool* flag = as<K7DataSimple<K7D_STR_DFG>>(flags)->getContents().flag;
    EXPECT_TRUE(flag[0]);
    EXPECT_FALSE(flag[1]);
    EXPECT_TRUE(flag[2]);
    EXPECT_FALSE(flag[3]);
    EXPECT_FALSE(flag[4]);

    const auto rings = recordOf(R"({"py4": [[[0, 0], [1, 0], [1, 1]], [[2, 2]]]})");
    const GeoDataPoly& poly = as<K7DataPoly<uint32_t>>(rings)->getContents();
    ASSERT_EQ(poly.getPolyNum(), 2u);
    EXPECT_EQ(poly.getPtNum(0), 3u);
    EXPECT_EQ(poly.getPtNum(1), 1u);
    const auto empty = recordOf(R"({"py4": []})");
    EXPECT_EQ(as<K7DataPoly<uint32_t>>(empty)->getContents().getPolyNum(), 1u);
    EXPECT_EQ(as<K7DataPoly<uint32_t>>(empty)->getContents().getPtNum(0), 0u);
}

TEST(K7DataJsonTest, UnknownTagsAndExtraMembers) {
    const auto unknown = recordOf(R"({"qqq": {"any": [1, "thing"]}})");
    EXPECT_EQ(unknown->getType(), "qqq");
    EXPECT_EQ(unknown->getMajorType(), K7DATA_TYPE_UND);
    EXPECT_EQ(unknown->getSize(), 0u);
    EXPECT_TRUE(K7DataJson::makeJson(*unknown).isNull());

    testing::internal::CaptureStdout();
    const auto group = groupOf(R"([{"zzz": 1, "aaa": 2}, {}, {"scl": 1}])");
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "ERROR : json object count over. < key = zzz >\n");
    ASSERT_EQ(group->getContents().size(), 2u);
    EXPECT_EQ(group->getContents()[0]->getType(), "aaa");
    EXPECT_EQ(group->getContents()[1]->getType(), "scl");
}

TEST(K7DataJsonTest, GroupsAppendAfterTheirChildren) {
    auto group = groupOf(R"([{"dcn": "a"}])");
    K7DataJson::setFromJson(*group, parsed(R"([{"dcn": "b"}, {"ctg": [{"dcn": "c"}]}])"));
    EXPECT_EQ(K7DataJson::makeJson(*group).serialize(),
              R"([{"dcn":"a"},{"dcn":"b"},{"ctg":[{"dcn":"c"}]}])");
    EXPECT_EQ(group->getContents("dcn").size(), 2u);

    // setJson takes the first three characters of the key as the tag.
    K7DataText text;
    K7DataJson::setJson(text, {"ftnXYZ", JsonData("Noto")});
    EXPECT_EQ(text.getType(), "ftn");
    EXPECT_EQ(text.getSize(), 4u);
}

// Every value class: JSON -> record -> JSON gives the same text, and the
// record survives the binary form unchanged.
TEST(K7DataJsonTest, EveryShapeRoundTripsThroughRecordsAndBinary) {
    const std::vector<std::string> texts = {
        R"({"und":null})",
        R"({"ctg":[{"dcn":"x"},{"lng":[{"scl":3},{"ctg":[]}]}]})",
        "{\"dcn\":\"r\xc3\xb6"
        "ad \\\"q\\\"\"}",
        R"({"lnc":[1,2,3,255]})",
        R"({"mgn":[65535,0]})",
        R"({"ari":[4294967295,7]})",
        R"({"ofs":[-1.25,1024.5]})",
        R"({"scl":255})",
        R"({"icn":65535})",
        R"({"dtm":4294967295})",
        R"({"aid":9007199254740992})",
        R"({"dly":-32768})",
        R"({"rid":-9007199254740992})",
        R"({"lnw":0.5})",
        R"({"vrs":[1,2,3]})",
        R"({"dty":[65535,1]})",
        R"({"clm":[7,"name"]})",
        R"({"upd":"20240131"})",
        R"({"iml":[1,2,300,400]})",
        R"({"dfg":31})",
        R"({"ley":[0,1,2]})",
        R"({"iu1":[[2,2,1],[0,255,128,7]]})",
        R"({"ii1":[[1,1,2],[-128,127]]})",
        R"({"iu2":[[1,1,1],[65535]]})",
        R"({"ii2":[[1,2,1],[-32768,32767]]})",
        R"({"pt2":[-3,4]})",
        R"({"pt4":[4294967295,0]})",
        R"({"pt8":[0.125,-7.5]})",
        R"({"ln2":[[-1,2],[3,-4]]})",
        R"({"ln4":[[0,0],[10,20],[4294967295,1]]})",
        R"({"ln8":[]})",
        R"({"py2":[[[0,0],[1,1]],[]]})",
        R"({"py4":[[[1,2],[3,4],[5,6]],[[7,8]]]})",
        R"({"py8":[[[0.5,0.25]]]})",
        R"({"tf2":[[[1,2]],"label"]})",
        R"({"tf4":[[],""]})",
        "{\"tf8\":[[[0.5,1.5],[2,3]],\"\xe3\x81\x82\"]}",
    };
    for (const std::string& text : texts) {
        const auto record = recordOf(text);
        const std::string key = text.substr(2, 3);
        EXPECT_EQ("{\"" + key + "\":" + K7DataJson::makeJson(*record).serialize() + "}", text);

        const char* encoded = record->getBinary();
        std::unique_ptr<K7DataBase> decoded(K7DataFactory::create(key.c_str()));
        ASSERT_TRUE(decoded->setBinaryBounded(encoded, record->getSizeAll())) << text;
        EXPECT_EQ("{\"" + key + "\":" + K7DataJson::makeJson(*decoded).serialize() + "}", text)
            << "after the binary form";
    }
}

TEST(K7DataJsonTest, MalformedValuesAreRefused) {
    struct Case {
        std::string text;
        std::string kind;
    };
    const std::vector<Case> cases = {
        {R"({"dcn": 5})", "runtime"},
        {R"({"scl": "5"})", "runtime"},
        {R"({"scl": [5]})", "runtime"},
        {R"({"pyc": [1, 2, 3]})", "runtime"},
        {R"({"ofs": [1]})", "runtime"},
        {R"({"clm": [1, 2]})", "runtime"},
        {R"({"ln4": [[1]]})", "runtime"},
        {R"({"ln4": [1, 2]})", "runtime"},
        {R"({"py4": [[1, 2]]})", "runtime"},
        {R"({"tf4": [[[1, 2]], 5]})", "runtime"},
        {R"({"tf4": [[[1, 2]]]})", "runtime"},
        {R"({"iu1": [[1, 1], [0]]})", "runtime"},
        {R"({"iu1": [[1, 1, 1], 0]})", "runtime"},
        {R"({"ctg": [5]})", "runtime"},
        {R"({"ctg": {"dcn": "x"}})", "runtime"},
        {R"({"ctg": [{"ctg": [{"scl": null}]}]})", "runtime"},
        {R"({"upd": "2024013"})", "out_of_range"},
        {R"({"scl": 3e9})", "range"},
        {R"({"dtm": -1})", "range"},
        {R"({"aid": 1.8446744073709552e19})", "range"},
        {R"({"rid": 9.3e18})", "range"},
        {R"({"lnw": 1e39})", "range"},
    };
    for (const auto& c : cases) {
        if (c.kind == "out_of_range") {
            EXPECT_THROW(recordOf(c.text), std::out_of_range) << c.text;
        } else if (c.kind == "range") {
            EXPECT_THROW(recordOf(c.text), std::range_error) << c.text;
        } else {
            EXPECT_THROW(recordOf(c.text), std::runtime_error) << c.text;
        }
    }
}

TEST(K7DataJsonTest, NonFiniteCoordinatesCannotBeWritten) {
    K7DataPoly<double> poly;
    poly.editContents().addCoord(std::nan(""), 1.0);
    EXPECT_THROW(K7DataJson::makeJson(poly), std::overflow_error);
}

}  // namespace
