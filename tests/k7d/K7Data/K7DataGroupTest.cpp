#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "K7DataCtg.h"
#include "K7DataDcn.h"
#include "K7DataFactory.h"
#include "K7DataLn4.h"
#include "K7DataLng.h"
#include "K7DataScl.h"
#include "K7DataTagTable.h"
#include "K7DataTestSupport.h"
#include "K7DataText.h"
#include "K7DataType.h"
#include "K7DataUnd.h"

namespace {

using K7DataGroupLookup = K7DataLogCapture;

// A tile-like tree: two "dcn" texts around a "scl" and a nested "ctg".
std::string sampleTile() {
    return record("ctg", record("dcn", "road") + record("scl", u8(5)) +
                             record("ctg", record("ln4", u32le(1) + u32le(2))) +
                             record("dcn", "rail"));
}

TEST_F(K7DataGroupLookup, ChildrenByOrderAndByTag) {
    const std::string bytes = sampleTile();
    K7DataCtg tile;
    ASSERT_TRUE(tile.setBinaryBounded(bytes.data(), bytes.size()));
    const std::string log = logOf([&] { tile.getContents("zzz"); });
    const auto& all = tile.getContents();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[1]->getType(), "scl");

    const auto& names = tile.getContents("dcn");
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0], all[0]);
    EXPECT_EQ(names[1], all[3]);
    EXPECT_TRUE(tile.getContents("zzz").empty());
    EXPECT_EQ(log, "");
}

TEST_F(K7DataGroupLookup, TypedLookupGivesTheNamedClass) {
    const std::string bytes = sampleTile();
    K7DataCtg tile(bytes.data());
    K7DataDcn* second = nullptr;
    EXPECT_EQ(logOf([&] { second = tile.getContents<K7DataDcn>(1); }), "");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->getContents(), "rail");
    K7DataScl* scale = tile.getContents<K7DataScl>(0);
    ASSERT_NE(scale, nullptr);
    EXPECT_EQ(scale->getContents(), 5);
    K7DataCtg* nested = tile.getContents<K7DataCtg>(0);
    ASSERT_NE(nested, nullptr);
    EXPECT_NE(nested->getContents<K7DataLn4>(0), nullptr);
}

TEST_F(K7DataGroupLookup, TypedLookupPastTheEndLogsAndAnswersNull) {
    K7DataCtg empty;
    K7DataLng placeholder;
    K7DataLng* missing = &placeholder;
    std::string log = logOf([&] { missing = empty.getContents<K7DataLng>(0); });
    EXPECT_EQ(missing, nullptr);
    EXPECT_NE(log.find("[error]"), std::string::npos);
    EXPECT_NE(log.find("Can't refer the lng data of position:0 "), std::string::npos) << log;

    const std::string bytes = sampleTile();
    K7DataCtg tile(bytes.data());
    K7DataDcn* third = tile.getContents<K7DataDcn>(0);
    ASSERT_NE(third, nullptr);
    log = logOf([&] { third = tile.getContents<K7DataDcn>(2); });
    EXPECT_EQ(third, nullptr);
    EXPECT_NE(log.find("Can't refer the dcn data of position:2 "), std::string::npos) << log;
}

TEST_F(K7DataGroupLookup, AddedChildrenEncodeInOrder) {
    K7DataCtg group;
    auto* name = new K7DataDcn();
    name->editContents() = "road";
    auto* scale = new K7DataScl();
    scale->editContents() = 7;
    group.addContents(name);
    group.addContents(scale);
    EXPECT_EQ(encoded(group), record("ctg", record("dcn", "road") + record("scl", u8(7))));
    EXPECT_EQ(group.getContents("scl").at(0), scale);
}

TEST(K7DataGroupOwnership, ClearContentsHandsTheChildrenBack) {
    K7DataCtg group;
    auto child = std::make_unique<K7DataDcn>();
    group.addContents(child.get());
    group.clearContents();
    EXPECT_TRUE(group.getContents().empty());
    EXPECT_TRUE(group.getContents("dcn").empty());
    child->editContents() = "still mine";  // the unique_ptr frees it
}

TEST(K7DataGroupOwnership, DataClearDestroysTheChildren) {
    K7DataCtg group;
    auto* inner = new K7DataCtg();
    inner->addContents(new K7DataDcn());
    group.addContents(inner);
    group.dataClear();
    EXPECT_TRUE(group.getContents().empty());
    EXPECT_EQ(encoded(group), record("ctg", ""));
}

TEST(K7DataTagTable, HoldsTheHundredTwentyTags) {
    const auto& table = K7DataGroup::m_mapK7DataType;
    EXPECT_EQ(table.size(), 120u);
    std::set<int32_t> codes;
    for (const auto& entry : table) codes.insert(entry.second);
    EXPECT_EQ(codes.count(6), 0u);
    EXPECT_EQ(codes.count(26), 0u);
    EXPECT_EQ(codes.count(33), 0u);
    EXPECT_EQ(K7DataTagTable::find("ln4"), K7DATA_TYPE_LINE_UINT32);
    EXPECT_EQ(K7DataTagTable::find("dp4"), K7DATA_TYPE_LINE_UINT32);
    EXPECT_EQ(K7DataTagTable::find("upd"), K7DATA_TYPE_YMD);
    EXPECT_EQ(K7DataTagTable::find("qqq"), K7DATA_TYPE_UND);
    EXPECT_EQ(table.size(), 120u);  // an unknown lookup adds nothing
}

TEST(K7DataFactory, BuildsTheNamedOrGenericClassOfATag) {
    std::unique_ptr<K7DataBase> name(K7DataFactory::create("dcn"));
    EXPECT_NE(dynamic_cast<K7DataDcn*>(name.get()), nullptr);
    std::unique_ptr<K7DataBase> group(K7DataFactory::create("mkg"));
    EXPECT_NE(dynamic_cast<K7DataGroup*>(group.get()), nullptr);
    EXPECT_EQ(group->getType(), "mkg");
    std::unique_ptr<K7DataBase> line(K7DataFactory::create("gt4"));
    EXPECT_EQ(line->getMajorType(), K7DATA_TYPE_LINE_UINT32);
    std::unique_ptr<K7DataBase> unknown(K7DataFactory::create("qqq"));
    EXPECT_NE(dynamic_cast<K7DataUnd*>(unknown.get()), nullptr);
    EXPECT_EQ(unknown->getType(), "qqq");
    std::unique_ptr<K7DataBase> shortTag(K7DataFactory::create("ab"));
    EXPECT_EQ(shortTag->getType(), std::string("ab\0", 3));
    EXPECT_NE(dynamic_cast<K7DataUnd*>(shortTag.get()), nullptr);
    std::unique_ptr<K7DataBase> polyOfBytes(K7DataFactory::createByCode(K7DATA_TYPE_POLY_UINT8));
    EXPECT_NE(dynamic_cast<K7DataUnd*>(polyOfBytes.get()), nullptr);

    const std::string bytes = record("txt", "line");
    std::unique_ptr<K7DataBase> made(K7DataGroup::makeK7Data(bytes.data()));
    EXPECT_EQ(dynamic_cast<K7DataText&>(*made).getContents(), "line");
    EXPECT_EQ(K7DataGroup::getKey(bytes.data()), "txt");
}

// Several threads decode at once; the shared tables are only read.
TEST(K7DataConcurrency, ThreadsDecodeTheSameBytes) {
    const std::string bytes = sampleTile();
    std::vector<std::thread> threads;
    std::vector<int> decoded(4, 0);
    for (int& count : decoded) {
        threads.emplace_back([&bytes, &count] {
            for (int i = 0; i < 200; ++i) {
                K7DataCtg tile;
                if (tile.setBinaryBounded(bytes.data(), bytes.size())) ++count;
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int count : decoded) EXPECT_EQ(count, 200);
}

}  // namespace
