// The map service answering the requests of the kit, and refusing bad ones,
// through the real server binary over verified HTTPS.

#include "Gzip.h"
#include "K7DataCtg.h"
#include "MapServiceFixture.h"

#include <gtest/gtest.h>
#include <picojson.h>

#include <ctime>
#include <fstream>
#include <sstream>

namespace {

class MapServiceIntegrationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_service = new MapServiceFixture(); }
    static void TearDownTestSuite() {
        delete s_service;
        s_service = nullptr;
    }
    MapServiceFixture& service() { return *s_service; }

    std::string tileQuery(const std::vector<std::string>& keys) {
        std::string query = std::string("/Veltar/tiles?cid=") + MapServiceFixture::kServiceId +
                            "&data=" + MapServiceFixture::kLocalVersion;
        for (const std::string& key : keys) query += "&quad=" + key;
        return query;
    }

    // The tile records of a tile answer, split the way the kit splits them.
    static std::vector<std::string> splitContainer(const std::string& body) {
        K7DataCtg container;
        EXPECT_TRUE(container.setBinaryBounded(body.data(), body.size()));
        std::vector<std::string> tiles;
        for (K7DataBase* tile : container.getContents()) {
            uint32_t length = tile->getSizeAll();
            tiles.emplace_back(tile->getBinary(), length);
        }
        return tiles;
    }

    static MapServiceFixture* s_service;
};

MapServiceFixture* MapServiceIntegrationTest::s_service = nullptr;

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// The server's clock, read the way the kit reads the Date header.
time_t parseDate(const std::string& date) {
    struct tm parsed = {};
    const char* end = strptime(date.c_str(), "%a, %d %b %Y %T GMT", &parsed);
    EXPECT_TRUE(end && *end == '\0') << date;
    return timegm(&parsed);
}

TEST_F(MapServiceIntegrationTest, ConfigurationHoldsEveryKeyTheKitReadsWithTheRightTypes) {
    auto response = service().get("/Veltar/config.json");
    ASSERT_EQ(response.status, 200);
    picojson::value root;
    ASSERT_TRUE(picojson::parse(root, response.body).empty());
    const std::vector<std::pair<std::vector<std::string>, bool>> keys{
        {{"domain", "auth", "veri"}, true}, {{"domain", "auth", "prod"}, true},
        {{"cgi", "local"}, true},           {{"cgi", "file"}, true},
        {{"cgi", "quad_num"}, false},       {{"path", "global"}, true},
        {{"path", "local"}, true},          {{"ext", "global"}, true},
        {{"ext", "local"}, true},           {{"ext", "global-v"}, true},
        {{"ext", "local-v"}, true},         {{"ext", "g_data"}, true},
        {{"auth", "dir"}, true},            {{"auth", "cycle"}, false},
    };
    for (const auto& [path, isString] : keys) {
        const picojson::value* node = &root;
        for (const std::string& name : path) {
            ASSERT_TRUE(node->is<picojson::object>() && node->contains(name)) << name;
            node = &node->get(name);
        }
        EXPECT_EQ(isString ? node->is<std::string>() : node->is<double>(), true) << path.back();
    }
    EXPECT_EQ(root.get("cgi").get("quad_num").get<double>(), service().options().quadNum);
    const picojson::value& data = root.get("domain").get("data");
    ASSERT_TRUE(data.is<picojson::object>());
    EXPECT_EQ(data.get("12").get<std::string>(), service().host());
    EXPECT_EQ(root.get("domain").get("auth").get("prod").get<std::string>(), service().host());
}

TEST_F(MapServiceIntegrationTest, CertificateBundleIsTheGzippedAuthority) {
    auto response = service().get("/Veltar/cacert.pem.gz");
    ASSERT_EQ(response.status, 200);
    EXPECT_EQ(Gzip::decompress(response.body), readFile(service().caFile()));
}

TEST_F(MapServiceIntegrationTest, VersionFilesInBothExtensionStyles) {
    auto config = service().get("/Veltar/config.json");
    picojson::value root;
    picojson::parse(root, config.body);
    const picojson::value& path = root.get("path");
    const picojson::value& ext = root.get("ext");
    const std::string id = MapServiceFixture::kServiceId;
    const std::vector<std::pair<std::string, std::string>> cases{
        {path.get("global").get<std::string>() + id + ext.get("global").get<std::string>(), MapServiceFixture::kGlobalVersion},
        {path.get("global").get<std::string>() + id + ext.get("global-v").get<std::string>(), MapServiceFixture::kGlobalVersion},
        {path.get("local").get<std::string>() + id + ext.get("local").get<std::string>(), MapServiceFixture::kLocalVersion},
        {path.get("local").get<std::string>() + id + ext.get("local-v").get<std::string>(), MapServiceFixture::kLocalVersion},
    };
    for (const auto& [url, version] : cases) {
        auto response = service().get(url, MapServiceFixture::Encoding::GzipDecoded);
        EXPECT_EQ(response.status, 200) << url;
        EXPECT_EQ(response.body, version) << url;
    }
    EXPECT_EQ(service().get(path.get("global").get<std::string>() + "other" +
                            ext.get("global").get<std::string>()).status, 404);
}

TEST_F(MapServiceIntegrationTest, GlobalDataAndBackgroundMapAreGzipStreamsOfOneGroup) {
    const std::string date = std::string("&date=") + MapServiceFixture::kGlobalVersion;
    for (const std::string& file : {std::string("/global/") + MapServiceFixture::kServiceId + ".gdat.gz",
                                    std::string("/global/background.map.gz")}) {
        auto response = service().get("/Veltar/file?file=" + file + date, MapServiceFixture::Encoding::GzipDecoded);
        ASSERT_EQ(response.status, 200) << file;
        std::string record = Gzip::decompress(response.body);
        K7DataCtg group;
        EXPECT_TRUE(group.setBinaryBounded(record.data(), record.size())) << file;
        EXPECT_EQ(group.getSizeAll(), record.size());
        EXPECT_FALSE(group.getContents().empty());
    }
}

TEST_F(MapServiceIntegrationTest, TileAnswerHoldsTheStoredBytesOfTheKeysFoundInRequestOrder) {
    auto response = service().get(tileQuery({"0123", "33", "0000", "01230123"}));
    ASSERT_EQ(response.status, 200);
    auto tiles = splitContainer(response.body);
    ASSERT_EQ(tiles.size(), 3u);  // "0000" is not in the store
    EXPECT_EQ(tiles[0], service().storedTile("0123"));
    EXPECT_EQ(tiles[1], service().storedTile("33"));
    EXPECT_EQ(tiles[2], service().storedTile("01230123"));
}

TEST_F(MapServiceIntegrationTest, AnswerWithoutStoredTilesIsTheEmptyContainer) {
    auto response = service().get(tileQuery({"0000", "1111"}));
    ASSERT_EQ(response.status, 200);
    EXPECT_EQ(response.body, std::string("ctg\0", 4));
}

TEST_F(MapServiceIntegrationTest, GzipOnlyWhenAcceptedAndDecodingToTheSameBytes) {
    const std::string query = tileQuery({"00", "01", "02", "03"});
    auto plain = service().get(query);
    auto raw = service().get(query, MapServiceFixture::Encoding::GzipRaw);
    auto refused = service().get(query, MapServiceFixture::Encoding::Identity, {"Accept-Encoding: gzip;q=0, br"});
    ASSERT_EQ(plain.status, 200);
    EXPECT_EQ(plain.header("content-encoding"), "");
    EXPECT_EQ(raw.header("content-encoding"), "gzip");
    EXPECT_EQ(Gzip::decompress(raw.body), plain.body);
    EXPECT_EQ(refused.header("content-encoding"), "");
    EXPECT_EQ(refused.body, plain.body);
}

TEST_F(MapServiceIntegrationTest, EveryAnswerCarriesTheServerClockInTheDateHeader) {
    const std::string tooLong(9000, 'a');
    for (const std::string& path : {std::string("/Veltar/config.json"), tileQuery({"00"}),
                                    std::string("/nowhere"), "/Veltar/config.json?" + tooLong}) {
        time_t before = time(nullptr);
        auto response = service().get(path);
        time_t after = time(nullptr);
        ASSERT_NE(response.status, 0) << path.substr(0, 40);
        time_t date = parseDate(response.header("date"));
        EXPECT_GE(date, before - 1) << path.substr(0, 40);
        EXPECT_LE(date, after + 1) << path.substr(0, 40);
    }
}

TEST_F(MapServiceIntegrationTest, MalformedRequestsAreRefusedLoggedAndServingGoesOn) {
    const std::string cid = std::string("cid=") + MapServiceFixture::kServiceId;
    const std::string data = std::string("data=") + MapServiceFixture::kLocalVersion;
    const std::string longKey(31, '0');
    struct Case {
        std::string target;
        long status;
    };
    const std::vector<Case> cases{
        {"/no/such/path", 404},
        {"/Veltar/tiles?" + data + "&quad=00", 400},                       // no cid
        {"/Veltar/tiles?" + cid + "&quad=00", 400},                        // no version
        {"/Veltar/tiles?" + cid + "&" + data, 400},                        // no quad key
        {"/Veltar/tiles?" + cid + "&" + cid + "&" + data + "&quad=00", 400},  // repeated cid
        {"/Veltar/tiles?" + cid + "&" + data + "&quad=0140", 400},         // digit 4
        {"/Veltar/tiles?" + cid + "&" + data + "&quad=01a", 400},          // letter
        {"/Veltar/tiles?" + cid + "&" + data + "&quad=", 400},             // empty key
        {"/Veltar/tiles?" + cid + "&" + data + "&quad=" + longKey, 400},   // level 31
        {"/Veltar/tiles?" + cid + "&" + data + "&quad=0&quad=1&quad=2&quad=3&quad=00", 400},  // > quad_num
        {"/Veltar/tiles?cid=other&" + data + "&quad=00", 404},             // wrong service id
        {"/Veltar/tiles?" + cid + "&data=19990101&quad=00", 404},          // wrong version
        {"/Veltar/file?file=/global/background.map.gz", 400},             // no date
        {"/Veltar/file?file=/global/background.map.gz&date=1", 404},      // wrong date
        {"/Veltar/file?file=/etc/passwd&date=" + std::string(MapServiceFixture::kGlobalVersion), 404},
        {"/Veltar/config.json?" + std::string(9000, 'x'), 414},            // over-long target
    };
    for (const Case& c : cases) {
        auto response = service().get(c.target);
        EXPECT_EQ(response.status, c.status) << c.target.substr(0, 80);
    }
    auto longHeader = service().get("/Veltar/config.json", MapServiceFixture::Encoding::Identity,
                                    {"X-Filler: " + std::string(9000, 'h')});
    EXPECT_GE(longHeader.status, 400);
    EXPECT_LT(longHeader.status, 500);

    EXPECT_EQ(service().get(tileQuery({"00"})).status, 200);
    const std::string log = service().serverOutput();
    for (const Case& c : cases) {
        std::string logged = c.target.substr(0, std::min<size_t>(c.target.size(), 200));
        if (c.status == 414) continue;  // the target is not read at all
        EXPECT_NE(log.find(" " + logged + " " + std::to_string(c.status) + " "), std::string::npos)
            << logged;
    }
    EXPECT_NE(log.find(" 414 "), std::string::npos);
}

}  // namespace
