#include "PoolJob.h"

#include <QThreadPool>

#include <utility>

namespace tavlora {

PoolJob::PoolJob(std::function<void()> job) : job_(std::move(job)) {}

PoolJob::~PoolJob()
{
    Wait();
}

bool PoolJob::Start()
{
    {
        const std::lock_guard lock(mutex_);
        running_ = true;
    }
    const bool started = QThreadPool::globalInstance()->tryStart([this] {
        job_();
        const std::lock_guard lock(mutex_);
        running_ = false;
        done_.notify_all();
    });
    if (!started) {
        const std::lock_guard lock(mutex_);
        running_ = false;
    }
    return started;
}

void PoolJob::Wait()
{
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return !running_; });
}

} // namespace tavlora
