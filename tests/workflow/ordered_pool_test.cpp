// The ordered pool: results in push order, a bounded look-ahead, no more
// threads than asked, idle threads lent to a lone large job; and the digest
// job run through it gives the same lines on 1, 2 and 5 threads.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "workflow/file_digest_job.h"
#include "workflow/ordered_pool.h"
#include "workflow/result_text.h"

using namespace sumbrook::workflow;

namespace {

// Busy for a while: a sleep this short lasts a whole timer tick on Windows,
// or nothing at all.
void Busy(std::chrono::microseconds span)
{
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) std::this_thread::yield();
}

TEST(OrderedPool, TakesInOrderWithinTheLookAheadOnAtMostItsThreads)
{
    for (const unsigned threads : {1u, 2u, 5u}) {
        SCOPED_TRACE(threads);
        const std::size_t lookAhead = 4 * threads;
        std::vector<std::size_t> taken;
        std::atomic<unsigned> running{0}, most{0};
        std::mutex seenMutex;
        std::set<std::thread::id> seen;
        {
            OrderedPool pool(threads, lookAhead);
            for (std::size_t i = 0; i < 300; ++i) {
                pool.Push(
                    [&, i] {
                        const unsigned now = ++running;
                        unsigned before = most.load();
                        while (now > before && !most.compare_exchange_weak(before, now)) {}
                        {
                            const std::lock_guard lock(seenMutex);
                            seen.insert(std::this_thread::get_id());
                        }
                        // The first job lasts until another thread has taken
                        // one (for at most a few seconds): on a busy machine,
                        // or under Wine, the caller could otherwise run all
                        // 300 before a woken thread gets its turn.
                        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
                        while (i == 0 && threads > 1 && std::chrono::steady_clock::now() < giveUp) {
                            {
                                const std::lock_guard lock(seenMutex);
                                if (seen.size() > 1) break;
                            }
                            std::this_thread::yield();
                        }
                        // Later jobs finish sooner: the order comes from the pool.
                        Busy(std::chrono::microseconds(i % 7 == 0 ? 300 : 10));
                        --running;
                    },
                    [&, i] { taken.push_back(i); });
                EXPECT_LE(i + 1 - taken.size(), lookAhead);
            }
            pool.Drain();
        }
        std::vector<std::size_t> expected(300);
        std::iota(expected.begin(), expected.end(), 0);
        EXPECT_EQ(taken, expected);
        EXPECT_LE(most.load(), threads);
        EXPECT_LE(seen.size(), threads);
        if (threads > 1) {
            EXPECT_GT(seen.size(), 1u) << "the calling thread is not alone";
        }
    }
}

TEST(OrderedPool, ALoneJobBorrowsTheIdleThreadsAndAFailureReachesTheTaker)
{
    OrderedPool pool(3, 8);
    std::atomic<unsigned> lent{0}, parts{0};
    pool.Push(
        [&] {
            // The other two threads go idle once nothing is left to start.
            while (!pool.Idle()) std::this_thread::yield();
            PartsLatch latch;
            const std::function<void(unsigned)> part = [&](unsigned) { ++parts; };
            lent = pool.Lend(5, part, latch);
            latch.Wait();
        },
        [] {});
    pool.Drain();
    EXPECT_GE(lent.load(), 1u);
    EXPECT_LE(lent.load(), 2u);
    EXPECT_EQ(parts.load(), lent.load());

    bool tookSecond = false;
    pool.Push([] { throw std::runtime_error("no"); }, [] {});
    pool.Push([] {}, [&] { tookSecond = true; });
    EXPECT_THROW(pool.Drain(), std::runtime_error);
    pool.Drain();
    EXPECT_TRUE(tookSecond);
}

// Empty, tiny, 1 MiB and several MiB files and a missing one, through the
// pool: the same lines whatever the threads, alone or among many files.
TEST(OrderedPool, DigestJobsGiveTheSameLinesOnOneTwoAndFiveThreads)
{
    // A new folder of its own (no mkdtemp on Windows).
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("sumbrook-pool-" + std::to_string(std::random_device()()));
    ASSERT_TRUE(std::filesystem::create_directory(dir));
    std::mt19937 random(7);
    std::vector<std::string> paths;
    for (const std::size_t size : {0u, 3u, 1u << 20, 3u << 20, 100u, (1u << 20) + 1, 5u << 20}) {
        std::string bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        paths.push_back((dir / std::to_string(paths.size())).string());
        std::ofstream(paths.back(), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
    }
    paths.push_back((dir / "missing").string());

    const auto lines = [&](const std::vector<std::string>& files, unsigned threads) {
        std::vector<std::vector<std::string>> all(files.size());
        OrderedPool pool(threads, 2 * threads);
        std::vector<std::vector<std::string>> taken;
        for (std::size_t i = 0; i < files.size(); ++i)
            pool.Push(
                [&, i] {
                    const FileResult result =
                        FileDigestJob(files[i], sumbrook::AlgorithmSet::All(), threads, &pool).Run();
                    all[i] = result.Vanished ? std::vector<std::string>{"vanished"} : ResultText(result);
                },
                [&, i] { taken.push_back(all[i]); });
        pool.Drain();
        return taken;
    };
    const auto expected = lines(paths, 1);
    ASSERT_EQ(expected.size(), paths.size());
    EXPECT_EQ(expected[0][0], "CRC32_FCS32：000000");
    EXPECT_EQ(expected.back(), std::vector<std::string>{"vanished"});
    for (const unsigned threads : {2u, 5u}) {
        SCOPED_TRACE(threads);
        EXPECT_EQ(lines(paths, threads), expected);
        // One large file alone: its algorithms shared out over the idle threads.
        EXPECT_EQ(lines({paths[6]}, threads).front(), expected[6]);
    }
    std::filesystem::remove_all(dir);
}

} // namespace
