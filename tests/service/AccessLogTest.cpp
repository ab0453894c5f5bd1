#include "AccessLog.h"
#include "Gzip.h"
#include "HttpDate.h"

#include <gtest/gtest.h>

namespace {

TEST(AccessLogTest, LoginParametersAreBlankedAndTheRestKept) {
    EXPECT_EQ(AccessLog::redact("/Veltar/auth?if_clientid=key&oauth_consumer_key=key&oauth_nonce=n"
                                "&oauth_signature=sig%3D&oauth_timestamp=1&x=1"),
              "/Veltar/auth?if_clientid=-&oauth_consumer_key=-&oauth_nonce=-&oauth_signature=-"
              "&oauth_timestamp=-&x=1");
    EXPECT_EQ(AccessLog::redact("/Veltar/tiles?cid=s&quad=01"), "/Veltar/tiles?cid=s&quad=01");
}

TEST(AccessLogTest, LongOrUnprintableTargetsAreCutAndEscaped) {
    EXPECT_EQ(AccessLog::redact("/a b\n"), "/a\\x20b\\x0A");
    std::string logged = AccessLog::redact("/" + std::string(5000, 'x'));
    EXPECT_LT(logged.size(), 300u);
    EXPECT_NE(logged.find("...(5001B)"), std::string::npos);
}

TEST(GzipTest, AcceptEncodingDecidesByCodingAndQuality) {
    const std::vector<std::pair<const char*, bool>> cases{
        {"gzip", true},           {"deflate, gzip;q=0.5", true}, {"GZIP", true},
        {"*", true},              {"gzip;q=0", false},           {"br, deflate", false},
        {"", false},              {"gzip ; q=0.0, br", false},   {"x-gzip", true},
    };
    for (const auto& [header, accepted] : cases) EXPECT_EQ(Gzip::accepted(header), accepted) << header;
}

TEST(GzipTest, CompressedBytesComeBackAndBrokenStreamsAreRefused) {
    const std::string data(10000, 'q');
    const std::string packed = Gzip::compress(data);
    EXPECT_LT(packed.size(), data.size());
    EXPECT_EQ(Gzip::decompress(packed), data);
    EXPECT_THROW(Gzip::decompress(packed.substr(0, packed.size() / 2)), std::runtime_error);
    EXPECT_THROW(Gzip::decompress("not gzip"), std::runtime_error);
}

TEST(HttpDateTest, FormatsInGmtWithEnglishNames) {
    EXPECT_EQ(HttpDate::format(784111777), "Sun, 06 Nov 1994 08:49:37 GMT");
    EXPECT_EQ(HttpDate::format(0), "Thu, 01 Jan 1970 00:00:00 GMT");
}

}  // namespace
