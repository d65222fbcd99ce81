#pragma once

// One set of threads for a run of jobs whose results are taken in order:
// the threads take whole jobs while there are jobs waiting, and a job may
// borrow the threads that would otherwise idle for a share of its own work
// (a large file's algorithms, when it is the last or the only one). The
// calling thread is one of the threads: it does queued work while it waits
// for the next result.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "workflow/hash_feed.h"

namespace sumbrook::workflow {

class OrderedPool final : public ThreadLender {
public:
    // Threads: how many work at once, the calling thread among them.
    // LookAhead: how many jobs may be queued and not yet taken.
    OrderedPool(unsigned threads, std::size_t lookAhead);
    ~OrderedPool() override; // jobs not started by then are dropped
    OrderedPool(const OrderedPool&) = delete;
    OrderedPool& operator=(const OrderedPool&) = delete;

    // Queues Work; Take runs later on the calling thread, in the order of
    // the pushes, once Work is done. With LookAhead jobs queued, the first
    // are taken before. A failure of Work is raised here or in Drain, in
    // place of its Take.
    void Push(std::function<void()> work, std::function<void()> take);
    // Takes every job pushed.
    void Drain();
    // Runs on the calling thread whenever the next job to take is not done
    // yet, before it helps or waits: to flush what was taken so far.
    void BeforeWaiting(std::function<void()> hook) { beforeWaiting_ = std::move(hook); }

    unsigned Threads() const { return static_cast<unsigned>(workers_.size()) + 1; }

    bool Idle() const override { return idle_.load(std::memory_order_relaxed); }
    unsigned Lend(unsigned most, const std::function<void(unsigned)>& part, PartsLatch& latch) override;

private:
    struct Job {
        std::function<void()> Work, Take;
        bool Done = false;
        std::exception_ptr Failure;
    };
    void Worker();
    void TakeFront();
    // A lent part first, then the next job nobody has started; false when
    // there is neither. Unlocks while it runs.
    bool RunSomething(std::unique_lock<std::mutex>& lock);
    void Wait(std::unique_lock<std::mutex>& lock);
    void UpdateIdle(); // with the mutex held

    const std::size_t lookAhead_;
    std::function<void()> beforeWaiting_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;                    // in push order, until taken
    std::size_t nextToStart_ = 0;             // every job before it has been started
    std::deque<std::function<void()>> parts_; // lent parts no thread has taken yet
    std::size_t waiting_ = 0;                 // threads waiting for something to do
    std::atomic<bool> idle_{false};
    bool stopping_ = false;
    std::vector<std::jthread> workers_; // last: they start once the rest is ready
};

} // namespace sumbrook::workflow
