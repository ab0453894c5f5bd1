#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "DataSourceManager.h"
#include "FileManager.h"
#include "K7DataCtg.h"
#include "LocalDataSource.h"
#include "ScratchDirectory.h"
#include "TileBytes.h"

using qiv::FileManager;
using qiv::LocalDataSource;
using qiv::ReceivedTiles;

namespace {

class LocalDataSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_source.m_setting.dataPath = m_data.path();
        for (const char* folder : {"DrawDataGL", "detail", "global"}) FileManager::makedirs(m_data.file(folder));
    }
    void write(const std::string& relative, const std::string& bytes) {
        ASSERT_EQ(FileManager::write(m_data.file(relative), bytes.data(), static_cast<int>(bytes.size())), 0);
    }

    ScratchDirectory m_data;
    LocalDataSource m_source;
};

} // namespace

TEST_F(LocalDataSourceTest, InstalledFilesAreReadByKey) {
    write("DrawDataGL/0123.dat", tileBytes("0123"));
    write("DrawDataGL/empty.dat", "");
    write("global/GlobalHeader.dat", "compressed");

    char* buffer = nullptr;
    int length = 0;
    ASSERT_EQ(m_source.getDrawData("0123", &buffer, &length), 0);
    EXPECT_EQ(std::string(buffer, length), tileBytes("0123"));
    delete[] buffer;
    EXPECT_EQ(m_source.getDrawData("empty", &buffer, &length), -1);
    EXPECT_EQ(m_source.getDrawData("2", &buffer, &length), -1);

    ReceivedTiles received;
    EXPECT_EQ(m_source.getDrawData({"2", "0123", "empty"}, &received), 0) << "one file is enough";
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received.count("0123"), 1u);
    qiv::IDataSource::freeReceived(&received);
    EXPECT_EQ(m_source.getDrawData({"2", "empty"}, &received), -1);

    ASSERT_EQ(m_source.getGlobalData(&buffer, &length), 0);
    EXPECT_EQ(std::string(buffer, length), "compressed");
    delete[] buffer;
    EXPECT_EQ(m_source.checkMapArea("0123"), -1);
    EXPECT_EQ(m_source.getGlovbalVersion(), "");
    EXPECT_EQ(m_source.getLocalVersion(), "");
}

TEST_F(LocalDataSourceTest, DetailDataBecomesRecordsOfTheCallerAndBadFilesAreLeftOut) {
    write("detail/0123.dat", tileBytes("0123"));
    const std::string whole = tileBytes("0122");
    write("detail/0122.dat", whole.substr(0, whole.size() - 2));
    qiv::DataSourceManager manager(0);
    qiv::Settings settings;
    settings.dataPath = m_data.path();
    manager.setInitParams(1, settings, "S", 12, "", "");

    std::map<std::string, K7DataCtg*> details;
    manager.getDetail({"0123", "0122", "0121"}, &details);
    ASSERT_EQ(details.size(), 1u);
    ASSERT_EQ(details.count("0123"), 1u);
    EXPECT_FALSE(details["0123"]->getContents().empty());
    EXPECT_FALSE(manager.inMemory("0123")) << "detail data is not cached";
    for (auto& detail : details) delete detail.second;
}
