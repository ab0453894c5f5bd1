#include "SampleTiles.h"
#include "TileStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <unistd.h>

namespace {

class TileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/tolkmaps-store-XXXXXX";
        m_folder = mkdtemp(folder);
        m_path = m_folder + "/tiles.sqlite";
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    std::string m_folder;
    std::string m_path;
};

TEST_F(TileStoreTest, WhatIsWrittenIsReadBackByteForByteReadOnly) {
    const std::string tile = SampleTiles::tile("0123", 2, 5);
    {
        TileStore store(m_path, TileStore::Mode::ReadWrite);
        store.beginTransaction();
        store.putTile("0123", tile);
        store.setGlobalData(std::string("global\0bytes", 12));
        store.setBackgroundMap("background");
        store.setServiceId("svc");
        store.setVersions("g1", "l1");
        store.commit();
    }
    const TileStore store(m_path, TileStore::Mode::ReadOnly);
    EXPECT_EQ(store.tile("0123"), tile);
    EXPECT_FALSE(store.tile("0124").has_value());
    EXPECT_EQ(store.globalData(), std::string("global\0bytes", 12));
    EXPECT_EQ(store.backgroundMap(), "background");
    EXPECT_EQ(store.serviceId(), "svc");
    EXPECT_EQ(store.globalVersion(), "g1");
    EXPECT_EQ(store.localVersion(), "l1");
    EXPECT_EQ(store.tileCount(), 1u);
}

TEST_F(TileStoreTest, ReplacingATileKeepsOneCopy) {
    TileStore store(m_path, TileStore::Mode::ReadWrite);
    store.putTile("01", SampleTiles::tile("01", 1, 3));
    store.putTile("01", SampleTiles::tile("01", 2, 3));
    EXPECT_EQ(store.tileCount(), 1u);
    EXPECT_EQ(store.tile("01"), SampleTiles::tile("01", 2, 3));
}

TEST_F(TileStoreTest, RefusesTilesThatAreNotTheirKeysTileRecord) {
    TileStore store(m_path, TileStore::Mode::ReadWrite);
    const std::string tile = SampleTiles::tile("01", 1, 3);
    EXPECT_THROW(store.putTile("02", tile), TileStoreError);
    EXPECT_THROW(store.putTile("01", tile.substr(0, tile.size() - 1)), TileStoreError);
    EXPECT_THROW(store.putTile("01", "not a record"), TileStoreError);
    EXPECT_EQ(store.tileCount(), 0u);
}

TEST_F(TileStoreTest, ReadOnlyStoreRefusesWrites) {
    { TileStore create(m_path, TileStore::Mode::ReadWrite); }
    TileStore store(m_path, TileStore::Mode::ReadOnly);
    EXPECT_THROW(store.putTile("0", SampleTiles::tile("0", 1, 2)), TileStoreError);
    EXPECT_THROW(store.setServiceId("svc"), TileStoreError);
}

TEST_F(TileStoreTest, RefusesMissingFilesForeignFilesAndOtherSchemaVersions) {
    EXPECT_THROW(TileStore(m_path, TileStore::Mode::ReadOnly), TileStoreError);

    sqlite3* db = nullptr;
    sqlite3_open(m_path.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE other (x)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    EXPECT_THROW(TileStore(m_path, TileStore::Mode::ReadOnly), TileStoreError);

    std::filesystem::remove(m_path);
    { TileStore create(m_path, TileStore::Mode::ReadWrite); }
    sqlite3_open(m_path.c_str(), &db);
    sqlite3_exec(db, "UPDATE meta SET value = '99' WHERE key = 'schema_version'", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    try {
        TileStore store(m_path, TileStore::Mode::ReadOnly);
        FAIL() << "a store of schema version 99 was opened";
    } catch (const TileStoreError& error) {
        EXPECT_NE(std::string(error.what()).find("99"), std::string::npos);
    }
}

}  // namespace
