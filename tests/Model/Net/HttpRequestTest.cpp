#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

#include "HttpRequest.h"
#include "opensslthreadlock.h"

using qiv::HttpRequest;

namespace {

// What mktime makes of a broken-down date, the way getTime reads one.
long localTime(int year, int month, int day, int hour, int minute, int second) {
    struct tm fields;
    std::memset(&fields, 0, sizeof(fields));
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    return static_cast<long>(mktime(&fields));
}

} // namespace

TEST(HttpRequestTest, GetTimeTakesTheFirstDateLineOnly) {
    const long untouched = -42;
    const long expected = localTime(2026, 12, 11, 10, 30, 5);
    struct Case {
        const char* name;
        std::string header;
        bool found;
        long time;
    } cases[] = {
        {"date among other lines",
         "HTTP/1.1 200 OK\r\nServer: x\r\nDate: Fri, 11 Dec 2026 10:30:05 GMT\r\nContent-Length: 3\r\n\r\n",
         true, expected},
        {"no date line", "HTTP/1.1 200 OK\r\nServer: x\r\n\r\n", false, untouched},
        {"empty block", "", false, untouched},
        {"other format stops the search",
         "Date: 2026-12-11T10:30:05Z\r\nDate: Fri, 11 Dec 2026 10:30:05 GMT\r\n", false, untouched},
        {"trailing characters", "Date: Fri, 11 Dec 2026 10:30:05 GMT+1\r\n", false, untouched},
        {"name must start the line", "X-Date: Fri, 11 Dec 2026 10:30:05 GMT\r\n", false, untouched},
        {"last line without line end", "Server: x\r\nDate: Fri, 11 Dec 2026 10:30:05 GMT", true,
         expected},
    };
    for (const Case& c : cases) {
        long time = untouched;
        EXPECT_EQ(c.found, HttpRequest::getTime(c.header, &time)) << c.name;
        EXPECT_EQ(c.time, time) << c.name;
    }
}

TEST(HttpRequestTest, CallbacksAppendEverythingTheyAreGiven) {
    std::vector<char> target{'a'};
    char data[] = "bcdefg";
    EXPECT_EQ(6u, HttpRequest::callbackWrite(data, 3, 2, &target));
    EXPECT_EQ(2u, HttpRequest::header_callback(data, 1, 2, &target));
    EXPECT_EQ("abcdefgbc", std::string(target.begin(), target.end()));
}

TEST(HttpRequestTest, MultiRefusesTooFewBodiesBeforeSendingAnything) {
    HttpRequest request;
    std::vector<std::vector<char>> bodies(1);
    EXPECT_THROW(request.multi({"https://localhost:1/a", "https://localhost:1/b"}, &bodies, nullptr),
                 std::out_of_range);
}

TEST(HttpRequestTest, TlsSetupIsCountedUntilTheLastUserLeaves) {
    ASSERT_EQ(0, qiv::thread_cleanup()) << "nothing set up yet";
    EXPECT_EQ(1, qiv::thread_setup());
    EXPECT_EQ(1, qiv::thread_setup());
    EXPECT_EQ(1, qiv::thread_cleanup());
    EXPECT_EQ(1, qiv::thread_cleanup());
    EXPECT_EQ(0, qiv::thread_cleanup());
}
