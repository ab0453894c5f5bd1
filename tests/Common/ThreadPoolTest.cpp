#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ThreadPool.h"

using qiv::ThreadPool;

namespace {

// Records the names of the tasks that ran, in order.
class RunLog {
public:
    std::function<void()> task(const std::string& name) {
        return [this, name] {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_names.push_back(name);
        };
    }
    std::vector<std::string> names() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_names;
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_names;
};

} // namespace

TEST(ThreadPoolTest, WaitingTasksRunNewestFirst) {
    RunLog log;
    std::promise<void> started;
    std::promise<void> release;
    std::shared_future<void> gate = release.get_future().share();
    std::promise<void> done;
    {
        ThreadPool pool(1);
        pool.enqueue([&] {
            started.set_value();
            gate.wait();
        });
        started.get_future().wait();
        pool.enqueue([&] { done.set_value(); });
        for (const char* name : {"A", "B", "C"}) pool.enqueue(log.task(name));
        release.set_value();
        done.get_future().wait();
    }
    EXPECT_EQ((std::vector<std::string>{"C", "B", "A"}), log.names());
}

TEST(ThreadPoolTest, PoolWithoutThreadsKeepsTasksAndDropsThemUnrun) {
    auto token = std::make_shared<int>(0);
    bool ran = false;
    {
        ThreadPool pool(0);
        pool.enqueue([token, &ran] { ran = true; });
        EXPECT_EQ(2, token.use_count());
    }
    EXPECT_FALSE(ran);
    EXPECT_EQ(1, token.use_count()) << "the dropped task was destroyed";
}

TEST(ThreadPoolTest, DestructionFinishesTheRunningTaskAndDropsTheQueue) {
    RunLog log;
    std::promise<void> started;
    std::promise<void> release;
    std::shared_future<void> gate = release.get_future().share();
    auto token = std::make_shared<int>(0);
    auto pool = std::make_unique<ThreadPool>(1);
    ThreadPool* raw = pool.get();
    pool->enqueue([&, raw] {
        started.set_value();
        gate.wait();
        // Submitted while the pool is being destroyed: never run.
        raw->enqueue(log.task("late"));
        log.task("long")();
    });
    started.get_future().wait();
    pool->enqueue(log.task("queued 1"));
    pool->enqueue([token, &log] { log.task("queued 2")(); });

    std::promise<void> destroying;
    std::thread destroyer([&] {
        destroying.set_value();
        pool.reset();
    });
    destroying.get_future().wait();
    // Give the destructor time to raise its stop flag before the long task ends.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    release.set_value();
    destroyer.join();

    EXPECT_EQ((std::vector<std::string>{"long"}), log.names());
    EXPECT_EQ(1, token.use_count());
}
