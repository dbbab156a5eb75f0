#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

namespace tavlora {

// Work handed to Qt's shared thread pool, whose threads outlive it (and keep
// their font caches), and waited for by its owner. Never waits for a thread:
// when the pool has none free, the job is not started and the owner runs it.
class PoolJob {
public:
    explicit PoolJob(std::function<void()> job);
    // Waits for the job when it was started.
    ~PoolJob();
    PoolJob(const PoolJob&) = delete;
    PoolJob& operator=(const PoolJob&) = delete;

    // False when no pool thread was free.
    bool Start();
    void Wait();

private:
    std::function<void()> job_;
    std::mutex mutex_;
    std::condition_variable done_;
    bool running_ = false;
};

} // namespace tavlora
