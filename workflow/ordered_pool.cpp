#include "workflow/ordered_pool.h"

#include <algorithm>
#include <system_error>

namespace sumbrook::workflow {

OrderedPool::OrderedPool(unsigned threads, std::size_t lookAhead) : lookAhead_(std::max<std::size_t>(lookAhead, 1))
{
    // Where the system allows fewer threads (a process limit), the run goes
    // on with the ones it got: the calling thread alone at worst.
    try {
        for (unsigned t = 1; t < threads; ++t) workers_.emplace_back([this] { Worker(); });
    } catch (const std::system_error&) {}
}

OrderedPool::~OrderedPool()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    workers_.clear();
}

void OrderedPool::Push(std::function<void()> work, std::function<void()> take)
{
    if (workers_.empty()) {
        work();
        take();
        return;
    }
    for (;;) {
        {
            const std::lock_guard lock(mutex_);
            if (jobs_.size() < lookAhead_) {
                jobs_.push_back({std::move(work), std::move(take), false, nullptr});
                UpdateIdle();
                break;
            }
        }
        TakeFront();
    }
    changed_.notify_one();
}

void OrderedPool::Drain()
{
    for (;;) {
        {
            const std::lock_guard lock(mutex_);
            if (jobs_.empty()) return;
        }
        TakeFront();
    }
}

void OrderedPool::TakeFront()
{
    std::unique_lock lock(mutex_);
    if (!jobs_.front().Done && beforeWaiting_) {
        lock.unlock();
        beforeWaiting_();
        lock.lock();
    }
    // Parts lent to this thread come first: their borrower waits for them.
    while (!parts_.empty() || !jobs_.front().Done)
        if (!RunSomething(lock)) Wait(lock);
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    if (nextToStart_ > 0) --nextToStart_;
    lock.unlock();
    if (job.Failure) std::rethrow_exception(job.Failure);
    job.Take();
}

void OrderedPool::Worker()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        if (RunSomething(lock)) continue;
        if (stopping_) return;
        Wait(lock);
    }
}

bool OrderedPool::RunSomething(std::unique_lock<std::mutex>& lock)
{
    if (!parts_.empty()) {
        const std::function<void()> part = std::move(parts_.front());
        parts_.pop_front();
        UpdateIdle();
        lock.unlock();
        part();
        lock.lock();
        return true;
    }
    if (stopping_ || nextToStart_ == jobs_.size()) return false;
    Job& job = jobs_[nextToStart_++]; // stays in place: the front is taken only once done
    UpdateIdle();
    lock.unlock();
    std::exception_ptr failure;
    try {
        job.Work();
    } catch (...) {
        failure = std::current_exception();
    }
    lock.lock();
    job.Done = true;
    job.Failure = failure;
    changed_.notify_all();
    return true;
}

void OrderedPool::Wait(std::unique_lock<std::mutex>& lock)
{
    ++waiting_;
    UpdateIdle();
    changed_.wait(lock);
    --waiting_;
    UpdateIdle();
}

void OrderedPool::UpdateIdle()
{
    // Jobs waiting to start go to the waiting threads first.
    idle_.store(nextToStart_ == jobs_.size() && waiting_ > parts_.size(), std::memory_order_relaxed);
}

unsigned OrderedPool::Lend(unsigned most, const std::function<void(unsigned)>& part, PartsLatch& latch)
{
    unsigned lent = 0;
    {
        const std::lock_guard lock(mutex_);
        if (nextToStart_ < jobs_.size() || waiting_ <= parts_.size()) return 0;
        lent = static_cast<unsigned>(std::min<std::size_t>(most, waiting_ - parts_.size()));
        latch.Add(lent);
        // Each waiting thread takes a part before anything else, so every
        // part is taken by a thread counted here or by one that came earlier.
        for (unsigned k = 1; k <= lent; ++k)
            parts_.emplace_back([&part, &latch, k] {
                part(k);
                latch.Done();
            });
        UpdateIdle();
    }
    changed_.notify_all();
    return lent;
}

} // namespace sumbrook::workflow
