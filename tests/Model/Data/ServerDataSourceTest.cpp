#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ServerDataSource.h"
#include "TileBytes.h"

using qiv::ReceivedTiles;
using qiv::ServerDataSource;

namespace {

// One record header: tag, then the short or the long length form.
std::string header(const std::string& tag, uint32_t length, bool longForm = false) {
    std::string out = tag;
    if (!longForm && length < 255) return out + static_cast<char>(length);
    out += '\xff';
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((length >> shift) & 0xff);
    return out;
}

std::string container(const std::string& content, bool longForm = false) {
    return header("ctg", static_cast<uint32_t>(content.size()), longForm) + content;
}

// A tile record whose key record is padded so that the record needs the long header.
std::string longTile(const std::string& key) {
    const std::string padding(300, 'p');
    std::string head = header("qak", static_cast<uint32_t>(key.size())) + key;
    head = header("ctg", static_cast<uint32_t>(head.size())) + head;
    const std::string content = head + header("dfn", static_cast<uint32_t>(padding.size()), true) + padding;
    return header("ctg", static_cast<uint32_t>(content.size()), true) + content;
}

struct SplitCase {
    const char* name;
    std::string body;
    bool accepted;
    std::vector<std::string> keys;
};

std::vector<SplitCase> splitCases() {
    const std::string a = tileBytes("0123");
    const std::string b = tileBytes("3210");
    const std::string twoTiles = a + b;
    return {
        {"two tiles", container(twoTiles), true, {"0123", "3210"}},
        {"long headers", container(longTile("01") + a, true), true, {"01", "0123"}},
        {"empty container", container(""), true, {}},
        {"empty container with bytes after it", container("") + a, true, {}},
        {"container length not bounding its tiles", header("ctg", 1) + twoTiles, true, {"0123", "3210"}},
        {"no bytes", "", false, {}},
        {"header cut short", "ctg", false, {}},
        {"long header cut short", "ctg\xff\x10\x00", false, {}},
        {"not a container", "ctx" + container(a).substr(3), false, {}},
        {"container past the body", header("ctg", 4000) + a, false, {}},
        {"tile record past the body", container(a + b.substr(0, b.size() - 1)), false, {"0123"}},
        {"tile long length past the body", container(a + header("ctg", 70000, true) + "x"), false, {"0123"}},
        {"tile record of another tag", container(a + "dfn" + b.substr(3)), false, {"0123"}},
        {"tile head without key record", container(a + container(container(header("dfn", 0)))), false, {"0123"}},
        {"tile with an empty head", container(container("")), false, {}},
        {"key record past its head", container(container(header("ctg", 6) + header("qak", 9) + "01")), false, {}},
        {"empty key", container(container(container(header("qak", 0)))), false, {}},
    };
}

} // namespace

TEST(ServerDataSourceTest, SplitCutsWholeTileRecordsAndRefusesEverythingElse) {
    for (const SplitCase& test : splitCases()) {
        ReceivedTiles received;
        // A copy of exactly the body's length, so that a read past it is caught by sanitizers.
        std::vector<char> body(test.body.begin(), test.body.end());
        const bool accepted = ServerDataSource::dataSplit(body.data(), body.size(), &received);
        EXPECT_EQ(accepted, test.accepted) << test.name;
        std::vector<std::string> keys;
        for (const auto& part : received) keys.push_back(part.first);
        EXPECT_EQ(keys, test.keys) << test.name;
        qiv::IDataSource::freeReceived(&received);
    }
}

TEST(ServerDataSourceTest, SplitPartsAreTheTileRecordsWithTheirHeaders) {
    const std::string first = tileBytes("0123");
    const std::string shorter = tileBytes("3");
    const std::string later = tileBytes("0123");
    const std::string body = container(first + shorter + later);
    ReceivedTiles received;
    ASSERT_TRUE(ServerDataSource::dataSplit(body.data(), body.size(), &received));
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(std::string(received["3"].first, received["3"].second), shorter);
    EXPECT_EQ(std::string(received["0123"].first, received["0123"].second), later)
        << "a later record of the same key replaces the earlier";
    qiv::IDataSource::freeReceived(&received);
}

TEST(ServerDataSourceTest, UrlsCarryAtMostQuadNumKeysEach) {
    ServerDataSource source;
    qiv::Settings settings;
    settings.dataHost = "data.example:8443";
    settings.tileCgi = "/tiles";
    const std::vector<std::string> keys{"0", "1", "2", "3", "10"};
    struct Case {
        int quadNum;
        std::vector<std::string> urls;
    };
    const std::string base = "https://data.example:8443/tiles?cid=S&data=V";
    const std::vector<Case> cases{
        {2, {base + "&quad=0&quad=1", base + "&quad=2&quad=3", base + "&quad=10"}},
        {5, {base + "&quad=0&quad=1&quad=2&quad=3&quad=10"}},
        {8, {base + "&quad=0&quad=1&quad=2&quad=3&quad=10"}},
        // Below 1 cannot cut the list: one key a URL.
        {0, {base + "&quad=0", base + "&quad=1", base + "&quad=2", base + "&quad=3", base + "&quad=10"}},
        {-3, {base + "&quad=0", base + "&quad=1", base + "&quad=2", base + "&quad=3", base + "&quad=10"}},
    };
    for (const Case& test : cases) {
        settings.quadNum = test.quadNum;
        source.setParams(settings, "S", 12, "V", "G");
        EXPECT_EQ(source.createURL(keys), test.urls) << "quad_num " << test.quadNum;
        EXPECT_TRUE(source.createURL({}).empty());
    }
}

TEST(ServerDataSourceTest, VersionFilesExistForDivisionsZeroAndTenToThirtyNine) {
    qiv::Settings settings;
    settings.globalExt = ".g";
    settings.localExt = ".l";
    settings.globalVersionExt = ".gv";
    settings.localVersionExt = ".lv";
    struct Case {
        int division;
        const char* global;
        const char* local;
    };
    for (const Case& test : std::vector<Case>{{0, ".gv", ".lv"}, {10, ".gv", ".lv"}, {19, ".gv", ".lv"},
                                              {20, ".g", ".l"}, {39, ".g", ".l"}, {1, "", ""},
                                              {9, "", ""}, {40, "", ""}, {-1, "", ""}}) {
        EXPECT_EQ(settings.versionExtension(test.division, qiv::Settings::kGlobalKind), test.global) << test.division;
        EXPECT_EQ(settings.versionExtension(test.division, qiv::Settings::kLocalKind), test.local) << test.division;
    }
    // No version file, no request: the version is empty at once.
    ServerDataSource source;
    settings.configHost = "127.0.0.1:1";
    source.setParams(settings, "S", 5, "", "");
    EXPECT_EQ(source.getVersion(qiv::Settings::kGlobalKind), "");
}
