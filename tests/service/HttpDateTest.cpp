#include "HttpDate.h"

#include <gtest/gtest.h>

namespace {

TEST(HttpDateTest, FormatsInGmtWithEnglishNames) {
    EXPECT_EQ(HttpDate::format(784111777), "Sun, 06 Nov 1994 08:49:37 GMT");
    EXPECT_EQ(HttpDate::format(0), "Thu, 01 Jan 1970 00:00:00 GMT");
}

}  // namespace
