#ifndef TOLKMAPS_COMMON_WORKER_H
#define TOLKMAPS_COMMON_WORKER_H

namespace qiv {

class ThreadPool;

// The body of one pool thread: takes the front task, runs it without holding
// the pool's lock, and returns once the pool is stopping.
class Worker {
public:
    explicit Worker(ThreadPool* pool) : m_pool(pool) {}
    void operator()();

private:
    ThreadPool* m_pool;
};

} // namespace qiv

#endif
