#include "Worker.h"

#include <functional>
#include <mutex>

#include "ThreadPool.h"

namespace qiv {

void Worker::operator()() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> lock(m_pool->m_queueMutex);
            // The stop flag is checked before the queue, so nothing new starts
            // once destruction has begun.
            m_pool->m_condition.wait(lock,
                                     [this] { return m_pool->m_stop || !m_pool->m_tasks.empty(); });
            if (m_pool->m_stop) return;
            task = std::move(m_pool->m_tasks.front());
            m_pool->m_tasks.pop_front();
        }
        task();
    }
}

} // namespace qiv
