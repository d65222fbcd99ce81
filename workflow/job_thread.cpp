#include "workflow/job_thread.h"

#include "platform/thread_priority.h"

namespace sumbrook::workflow {

JobThread::JobThread() : thread_([this] { Loop(); }) {}

JobThread::~JobThread()
{
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void JobThread::Start(std::function<void()> task, std::function<void()> finished)
{
    {
        const std::lock_guard lock(mutex_);
        task_ = std::move(task);
        finished_ = std::move(finished);
        busy_ = true;
    }
    changed_.notify_all();
}

bool JobThread::WaitFor(std::chrono::microseconds timeout)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return !busy_; });
}

bool JobThread::Done()
{
    const std::lock_guard lock(mutex_);
    return !busy_;
}

void JobThread::Loop()
{
    // The window's thread waits on this one only while handling messages.
    platform::LowerCurrentThreadPriority();
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return quit_ || (busy_ && task_); });
        if (busy_ && task_) {
            auto task = std::move(task_);
            auto finished = std::move(finished_);
            task_ = finished_ = nullptr;
            lock.unlock();
            task();
            lock.lock();
            busy_ = false;
            changed_.notify_all();
            lock.unlock();
            if (finished) finished();
            lock.lock();
            continue;
        }
        if (quit_) return;
    }
}

} // namespace sumbrook::workflow
