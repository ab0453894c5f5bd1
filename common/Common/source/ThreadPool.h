#ifndef TOLKMAPS_COMMON_THREADPOOL_H
#define TOLKMAPS_COMMON_THREADPOOL_H

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace qiv {

class Worker;

// A fixed set of threads that run queued tasks newest first: `enqueue` puts
// a task at the front and the workers take from the front. Destruction lets
// running tasks finish and drops every task still queued. Tasks must not throw.
class ThreadPool {
public:
    // Starts `threads` workers at once; zero is allowed (tasks then wait
    // forever and are dropped at destruction). Throws std::system_error when
    // a thread cannot be started, after stopping the ones already running.
    explicit ThreadPool(unsigned threads);
    ~ThreadPool();
    ThreadPool(const ThreadPool&) = delete;
    ThreadPool& operator=(const ThreadPool&) = delete;

    // Any thread. Queues `task` in front of the waiting ones and wakes one worker.
    void enqueue(std::function<void()> task);

private:
    friend class Worker;

    void stopAndJoin();

    std::vector<std::thread> m_workers;
    std::deque<std::function<void()>> m_tasks;
    std::mutex m_queueMutex;
    std::condition_variable m_condition;
    bool m_stop;
};

} // namespace qiv

#endif
