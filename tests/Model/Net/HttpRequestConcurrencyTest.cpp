#include <gtest/gtest.h>

#include <curl/curl.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "HttpRequest.h"
#include "ScratchDirectory.h"
#include "TlsTestServer.h"

using qiv::HttpRequest;

// Several tile workers fetch in parallel, each with its own request.
TEST(HttpRequestConcurrencyTest, ParallelFetchesOnSeveralThreads) {
    curl_global_init(CURL_GLOBAL_ALL);
    ScratchDirectory dir;
    TlsTestServer server(dir.path(), [](const std::string& target) {
        TlsTestServer::Answer answer;
        answer.body = target;
        answer.headers = {"Date: Fri, 11 Dec 2026 10:00:00 GMT"};
        return answer;
    });
    ASSERT_TRUE(server.isRunning());
    std::atomic<int> good{0};
    std::vector<std::thread> workers;
    for (int w = 0; w < 3; ++w) {
        workers.emplace_back([&, w] {
            HttpRequest request;
            request.m_caPath = server.caFile();
            std::vector<std::string> urls;
            for (int i = 0; i < 3; ++i) urls.push_back(server.baseUrl() + "/t" + std::to_string(w * 10 + i));
            std::vector<std::vector<char>> bodies(urls.size());
            long time = 0;
            std::vector<bool> flags = request.multi(urls, &bodies, &time);
            for (size_t i = 0; i < urls.size(); ++i) {
                std::string expected = "/t" + std::to_string(w * 10 + static_cast<int>(i));
                if (flags[i] && std::string(bodies[i].begin(), bodies[i].end()) == expected) ++good;
            }
        });
    }
    for (std::thread& worker : workers) worker.join();
    EXPECT_EQ(9, good.load());
}
