#include "cli/ordered_hashing.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "cli/hasher.h"

namespace sumbrook::cli {

void HashInOrder(std::size_t count, unsigned threads, ProgressLine* progress,
                 const std::function<void(std::size_t, Hasher&)>& work, const std::function<void(std::size_t)>& take)
{
    Hasher own(progress);
    if (threads <= 1 || count <= 1) {
        for (std::size_t i = 0; i < count; ++i) {
            work(i, own);
            take(i);
        }
        return;
    }
    std::mutex mutex;
    std::condition_variable finished;
    std::vector<bool> done(count, false);
    std::atomic<std::size_t> next{0};
    // Work(i) writes its own result; the lock around Done hands it to Take.
    const auto hashNext = [&](Hasher& hasher) {
        const std::size_t i = next.fetch_add(1);
        if (i >= count) return false;
        work(i, hasher);
        {
            const std::lock_guard lock(mutex);
            done[i] = true;
        }
        finished.notify_all();
        return true;
    };
    std::vector<std::jthread> workers;
    const std::size_t helpers = std::min<std::size_t>(threads - 1, count - 1);
    for (std::size_t t = 0; t < helpers; ++t)
        workers.emplace_back([&] {
            Hasher hasher(progress);
            while (hashNext(hasher)) {}
        });
    for (std::size_t i = 0; i < count; ++i) {
        // Rather than wait for the next in order, hash what nobody has started.
        for (;;) {
            {
                const std::lock_guard lock(mutex);
                if (done[i]) break;
            }
            if (!hashNext(own)) {
                std::unique_lock lock(mutex);
                finished.wait(lock, [&] { return done[i]; });
                break;
            }
        }
        take(i);
    }
}

} // namespace sumbrook::cli
