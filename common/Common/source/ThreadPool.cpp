#include "ThreadPool.h"

#include "Worker.h"

namespace qiv {

ThreadPool::ThreadPool(unsigned threads) : m_stop(false) {
    m_workers.reserve(threads);
    try {
        for (unsigned i = 0; i < threads; ++i) m_workers.emplace_back(Worker(this));
    } catch (...) {
        stopAndJoin();
        throw;
    }
}

ThreadPool::~ThreadPool() { stopAndJoin(); }

void ThreadPool::enqueue(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_tasks.push_front(std::move(task));
    }
    m_condition.notify_one();
}

void ThreadPool::stopAndJoin() {
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_stop = true;
    }
    m_condition.notify_all();
    for (std::thread& worker : m_workers) worker.join();
}

} // namespace qiv
