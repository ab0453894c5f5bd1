#include "AccessLog.h"

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

}  // namespace
