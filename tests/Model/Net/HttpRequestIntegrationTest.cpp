#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "HttpRequest.h"
#include "ScratchDirectory.h"
#include "TlsTestServer.h"

using qiv::HttpRequest;

namespace {

const char* const kDateLine = "Date: Fri, 11 Dec 2026 10:30:05 GMT";

std::string bigText() {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "record " + std::to_string(i) + "\n";
    return text;
}

TlsTestServer::Answer route(const std::string& target) {
    TlsTestServer::Answer answer;
    if (target == "/ok") {
        answer.body = "hello";
        answer.headers = {kDateLine};
    } else if (target == "/gzip") {
        answer.body = bigText();
        answer.gzip = true;
    } else if (target == "/other-date") {
        answer.body = "late";
        answer.headers = {"Date: Sat, 12 Dec 2026 00:00:00 GMT"};
    } else if (target == "/no-content") {
        answer.status = 204;
    } else if (target == "/not-modified") {
        answer.status = 304;
    } else {
        answer.status = 404;
        answer.body = "nothing here";
    }
    return answer;
}

long expectedDate() {
    struct tm fields;
    std::memset(&fields, 0, sizeof(fields));
    strptime(kDateLine, "Date: %a, %d %b %Y %T GMT", &fields);
    return static_cast<long>(mktime(&fields));
}

std::string text(const std::vector<char>& bytes) { return std::string(bytes.begin(), bytes.end()); }

class HttpRequestIntegrationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_server.isRunning()); }

    HttpRequest verifyingRequest() const {
        HttpRequest request;
        request.m_caPath = m_server.caFile();
        return request;
    }
    std::string url(const std::string& path) const { return m_server.baseUrl() + path; }

    ScratchDirectory m_dir;
    TlsTestServer m_server{m_dir.path(), route};
};

} // namespace

TEST_F(HttpRequestIntegrationTest, SingleFetchesBodyAndServerTime) {
    HttpRequest request = verifyingRequest();
    std::vector<char> body;
    long time = 0;
    ASSERT_TRUE(request.single(url("/ok"), &body, &time));
    EXPECT_EQ("hello", text(body));
    EXPECT_EQ(expectedDate(), time);
    EXPECT_NE(std::string::npos, m_server.lastAcceptEncoding().find("gzip"));

    long untouched = 7;
    body.clear();
    ASSERT_TRUE(request.single(url("/gzip"), &body, &untouched)) << "no Date header is no failure";
    EXPECT_EQ(bigText(), text(body)) << "gzip answers arrive decoded";
    EXPECT_EQ(7, untouched);
}

TEST_F(HttpRequestIntegrationTest, SingleCountsOnlyTransferErrors) {
    HttpRequest request = verifyingRequest();
    std::vector<char> body{'x'};
    EXPECT_FALSE(request.single(url("/missing"), &body, nullptr));
    EXPECT_TRUE(body.empty());
    EXPECT_TRUE(request.single(url("/no-content"), &body, nullptr));
    EXPECT_TRUE(request.single(url("/not-modified"), &body, nullptr));

    body = {'x'};
    EXPECT_FALSE(request.single("https://localhost:1/closed-port", &body, nullptr));
    EXPECT_TRUE(body.empty());
}

TEST_F(HttpRequestIntegrationTest, CertificateFileSwitchesVerificationOn) {
    ScratchDirectory otherDir;
    TlsTestServer stranger(otherDir.path(), route);
    std::vector<char> body;

    HttpRequest unverified;
    EXPECT_TRUE(unverified.single(url("/ok"), &body, nullptr)) << "no certificate file: no checks";

    HttpRequest wrongAuthority;
    wrongAuthority.m_caPath = stranger.caFile();
    EXPECT_FALSE(wrongAuthority.single(url("/ok"), &body, nullptr));

    HttpRequest byAddress = verifyingRequest();
    EXPECT_TRUE(byAddress.single("https://127.0.0.1:" + std::to_string(m_server.port()) + "/ok",
                                 &body, nullptr));
}

TEST(HttpRequestHostCheckIntegrationTest, HostNameMustMatchTheCertificate) {
    ScratchDirectory dir;
    TlsTestServer elsewhere(dir.path(), route, "DNS:elsewhere.test");
    ASSERT_TRUE(elsewhere.isRunning());
    std::vector<char> body;
    HttpRequest verifying;
    verifying.m_caPath = elsewhere.caFile();
    EXPECT_FALSE(verifying.single(elsewhere.baseUrl() + "/ok", &body, nullptr));
    HttpRequest unverified;
    EXPECT_TRUE(unverified.single(elsewhere.baseUrl() + "/ok", &body, nullptr));
}

TEST_F(HttpRequestIntegrationTest, MultiFlagsOnlyStatus200AndKeepsBodiesInOrder) {
    HttpRequest request = verifyingRequest();
    std::vector<std::string> urls{url("/missing"), url("/gzip"), url("/ok"), url("/no-content"),
                                  url("/not-modified"), url("/other-date")};
    std::vector<std::vector<char>> bodies(urls.size());
    long time = 0;
    std::vector<bool> flags = request.multi(urls, &bodies, &time);
    EXPECT_EQ((std::vector<bool>{false, true, true, false, false, true}), flags);
    EXPECT_EQ(bigText(), text(bodies[1]));
    EXPECT_EQ("hello", text(bodies[2]));
    EXPECT_EQ("late", text(bodies[5]));
    // Completion order decides which dated answer is read first; either is a
    // server time, and one of the two it must be.
    long other = expectedDate() + 13 * 3600 + 29 * 60 + 55;
    EXPECT_TRUE(time == expectedDate() || time == other) << time;
}

TEST_F(HttpRequestIntegrationTest, MultiWithoutUrlsOrWithAnUnreachableOne) {
    HttpRequest request = verifyingRequest();
    std::vector<std::vector<char>> none;
    EXPECT_TRUE(request.multi({}, &none, nullptr).empty());

    std::vector<std::vector<char>> bodies(2);
    std::vector<bool> flags = request.multi({url("/ok"), "https://localhost:1/closed"}, &bodies, nullptr);
    EXPECT_EQ((std::vector<bool>{true, false}), flags);
    EXPECT_EQ("hello", text(bodies[0]));
}
