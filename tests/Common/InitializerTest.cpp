#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Initializer.h"

using qiv::Initializer;

namespace {

const char* const kComplete =
    R"({"domain":{"auth":{"veri":"veri.host","prod":"prod.host"},"data":{"12":"twelve","abc":"letters","":"empty","034":"old","34":"new","9999999999":"huge"}},)"
    R"("cgi":{"local":"/tiles","file":"/file","quad_num":4.9},"path":{"global":"/g/","local":"/l/"},)"
    R"("ext":{"global":".g","local":".l","global-v":".gv","local-v":".lv","g_data":".gd"},"auth":{"dir":"/auth","cycle":1.5}})";

bool parse(const std::string& text) { return Initializer::parse(std::vector<char>(text.begin(), text.end())); }

std::string replaced(const std::string& from, const std::string& to) {
    std::string text = kComplete;
    text.replace(text.find(from), from.size(), to);
    return text;
}

} // namespace

TEST(InitializerTest, CompleteConfigurationFillsTheSettings) {
    Initializer::m_serverList.clear();
    ASSERT_TRUE(parse(kComplete));
    const qiv::Settings& s = Initializer::m_setting;
    EXPECT_EQ(Initializer::m_auth_v, "veri.host");
    EXPECT_EQ(Initializer::m_auth, "prod.host");
    EXPECT_EQ(s.tileCgi, "/tiles");
    EXPECT_EQ(s.fileCgi, "/file");
    EXPECT_EQ(s.quadNum, 4) << "truncated";
    EXPECT_EQ(s.globalPath, "/g/");
    EXPECT_EQ(s.localPath, "/l/");
    EXPECT_EQ(s.globalExt, ".g");
    EXPECT_EQ(s.localExt, ".l");
    EXPECT_EQ(s.globalVersionExt, ".gv");
    EXPECT_EQ(s.localVersionExt, ".lv");
    EXPECT_EQ(s.globalDataExt, ".gd");
    EXPECT_EQ(s.authDir, "/auth");
    EXPECT_EQ(s.authCycle, 1.5);
    // Digit names only; "" is division 0; "34" comes after "034" and wins.
    const std::map<int, std::string> expected{{0, "empty"}, {12, "twelve"}, {34, "new"}};
    EXPECT_EQ(Initializer::m_serverList, expected);
}

TEST(InitializerTest, IncompleteOrMistypedConfigurationIsRefused) {
    const std::vector<std::pair<const char*, std::string>> cases{
        {"no login cycle", replaced(R"(,"cycle":1.5)", "")},
        {"no auth object", replaced(R"(,"auth":{"dir":"/auth","cycle":1.5})", "")},
        {"cycle as text", replaced("1.5", R"("1.5")")},
        {"quad_num as text", replaced("4.9", R"("4")")},
        {"host as number", replaced(R"("prod.host")", "7")},
        {"data not an object", replaced(R"("data":{)", R"("data":[],"x":{)")},
        {"no g_data", replaced(R"(,"g_data":".gd")", "")},
        {"syntax error", std::string(kComplete).substr(1)},
        {"array root", "[1,2]"},
        {"empty", ""},
    };
    for (const auto& test : cases) EXPECT_FALSE(parse(test.second)) << test.first;
}
