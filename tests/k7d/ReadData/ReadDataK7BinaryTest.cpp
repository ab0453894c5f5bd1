#include <memory>

#include "K7DataFactory.h"
#include "K7DataJson.h"
#include "ReadDataCmdn.h"
#include "ReadDataDesign.h"
#include "ReadDataGDAL.h"
#include "ReadDataHandle.h"
#include "ReadDataHrl.h"
#include "ReadDataJson.h"
#include "ReadDataK7Binary.h"
#include "ReadDataMaster.h"
#include "ReadDataTestSupport.h"
#include "ReadDataTextFile.h"

namespace {

class ReadDataK7BinaryTest : public ReadDataFileTest {
protected:
    // The encoding of a small tile with a long (> 254 bytes) text.
    static std::string encodedTile() {
        K7DataCtg tile;
        tile.addContents(textRecord("qak", "0123"));
        tile.addContents(
            ctgRecord({textRecord("dcn", std::string(300, 'r')), numberRecord<uint8_t>("scl", 7)}));
        const char* bytes = tile.getBinary();
        return std::string(bytes, tile.getSizeAll());
    }
};

TEST_F(ReadDataK7BinaryTest, FileDecodesIntoTheGivenGroup) {
    const std::string encoded = encodedTile();
    for (const DATA_TYPE type : {DATA_TYPE_K7DATA, DATA_TYPE_K7BINARY, DATA_TYPE(99)}) {
        ReadDataHandle handle(type);
        ASSERT_NE(dynamic_cast<ReadDataK7Binary*>(handle.get()), nullptr);
        K7DataCtg parameters;
        K7DataCtg result;
        ASSERT_TRUE(handle->read(writeFile("tile.bin", encoded)));
        ASSERT_TRUE(handle->setParam(&parameters));
        ASSERT_TRUE(handle->getData(&result));
        EXPECT_EQ(std::string(result.getBinary(), result.getSizeAll()), encoded);
    }
    EXPECT_EQ(logged(), "");
}

TEST_F(ReadDataK7BinaryTest, MissingFileLogsOpenAndReadErrors) {
    ReadDataK7Binary reader;
    const std::string missing = path("missing.bin");
    for (const std::string& file : {missing, m_dir.string()}) {
        EXPECT_FALSE(reader.read(file));
        const std::string log = logged();
        EXPECT_NE(log.find("[error]:"), std::string::npos);
        EXPECT_NE(log.find("file open error. " + file), std::string::npos) << log;
        EXPECT_NE(log.find("[read] : readDataFile error " + file), std::string::npos) << log;
    }
    K7DataCtg result;
    EXPECT_FALSE(reader.getData(&result));
}

TEST_F(ReadDataK7BinaryTest, MalformedFilesAreRefused) {
    const std::string encoded = encodedTile();
    const std::vector<std::string> files = {
        encoded.substr(0, encoded.size() - 1),
        encoded.substr(0, 3),
        "",
        std::string("ctg\x08qak\x10"
                    "0123",
                    12),
    };
    for (const std::string& content : files) {
        ReadDataK7Binary reader;
        ASSERT_TRUE(reader.read(writeFile("bad.bin", content)));
        K7DataCtg result;
        EXPECT_FALSE(reader.getData(&result)) << content.size();
        EXPECT_TRUE(result.getContents().empty());
        EXPECT_NE(logged().find("malformed record file:"), std::string::npos);
    }
}

TEST_F(ReadDataK7BinaryTest, HandleMakesTheReaderOfEachType) {
    const auto kind = [](DATA_TYPE type) {
        ReadDataHandle handle(type, 3);
        ReadDataBase* reader = handle.get();
        if (dynamic_cast<ReadDataMaster*>(reader)) return "master";
        if (dynamic_cast<ReadDataK7Binary*>(reader)) return "binary";
        if (dynamic_cast<ReadDataJson*>(reader)) return "json";
        if (dynamic_cast<ReadDataGDAL*>(reader)) return "gdal";
        if (dynamic_cast<ReadDataCmdn*>(reader)) return "cmdn";
        if (dynamic_cast<ReadDataHrl*>(reader)) return "hrl";
        if (dynamic_cast<ReadDataTextFile*>(reader)) return "text";
        if (dynamic_cast<ReadDataDesign*>(reader)) return "design";
        return "other";
    };
    EXPECT_STREQ(kind(DATA_TYPE_JSON), "json");
    EXPECT_STREQ(kind(DATA_TYPE_GDAL), "gdal");
    EXPECT_STREQ(kind(DATA_TYPE_MASTER), "master");
    EXPECT_STREQ(kind(DATA_TYPE_CMDN), "cmdn");
    EXPECT_STREQ(kind(DATA_TYPE_HRL), "hrl");
    EXPECT_STREQ(kind(DATA_TYPE_TEXTFILE), "text");
    EXPECT_STREQ(kind(DATA_TYPE_DESIGN), "design");
    EXPECT_STREQ(kind(DATA_TYPE(3)), "binary");

    // Copies share the reader.
    ReadDataHandle handle(DATA_TYPE_JSON);
    const ReadDataHandle copy = handle;
    EXPECT_EQ(copy.get(), handle.get());
}

TEST_F(ReadDataK7BinaryTest, UnavailableReadersAnswerFalse) {
    const std::string file = writeFile("t.bin", encodedTile());
    for (const DATA_TYPE type : {DATA_TYPE_GDAL, DATA_TYPE_MASTER, DATA_TYPE_CMDN, DATA_TYPE_HRL}) {
        ReadDataHandle handle(type);
        K7DataCtg group;
        EXPECT_FALSE(handle->read(file)) << type;
        EXPECT_FALSE(handle->setParam(&group)) << type;
        EXPECT_FALSE(handle->getData(&group)) << type;
        EXPECT_TRUE(group.getContents().empty());
    }
}

}  // namespace
