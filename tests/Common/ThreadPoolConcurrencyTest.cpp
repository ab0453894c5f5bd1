#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "ThreadPool.h"

using qiv::ThreadPool;

// Several submitters and workers meet only at the pool's queue: every task
// runs exactly once, and the pool can be torn down while submitters are done
// but tasks may still be queued.
TEST(ThreadPoolConcurrencyTest, EveryTaskFromManySubmittersRunsOnce) {
    const int submitters = 4;
    const int perSubmitter = 500;
    std::vector<std::atomic<int>> runs(submitters * perSubmitter);
    std::mutex mutex;
    std::condition_variable allDone;
    int finished = 0;
    {
        ThreadPool pool(3);
        std::vector<std::thread> threads;
        for (int s = 0; s < submitters; ++s) {
            threads.emplace_back([&, s] {
                for (int i = 0; i < perSubmitter; ++i) {
                    int id = s * perSubmitter + i;
                    pool.enqueue([&, id] {
                        runs[id].fetch_add(1);
                        std::lock_guard<std::mutex> lock(mutex);
                        if (++finished == submitters * perSubmitter) allDone.notify_one();
                    });
                }
            });
        }
        for (std::thread& thread : threads) thread.join();
        std::unique_lock<std::mutex> lock(mutex);
        allDone.wait(lock, [&] { return finished == submitters * perSubmitter; });
    }
    for (size_t id = 0; id < runs.size(); ++id) ASSERT_EQ(1, runs[id].load()) << id;
}

TEST(ThreadPoolConcurrencyTest, TeardownWhileWorkersRunReleasesEveryTask) {
    auto token = std::make_shared<int>(0);
    std::atomic<int> ran{0};
    for (int round = 0; round < 20; ++round) {
        ThreadPool pool(3);
        for (int i = 0; i < 200; ++i) pool.enqueue([token, &ran] { ran.fetch_add(1); });
    }
    EXPECT_EQ(1, token.use_count()) << "run and dropped tasks alike are destroyed";
    EXPECT_LE(ran.load(), 20 * 200);
}
