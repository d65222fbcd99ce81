#pragma once

// Feeding one stream of bytes to several algorithms: CRC-32 and digests,
// each a consumer; on one thread, or, once threads are lent to it, shared
// out over them while the reading thread reads the next buffers.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "digest/engine/algorithm.h"

namespace sumbrook {
class TByteSource;
class TDCP_hash;
} // namespace sumbrook

namespace sumbrook::workflow {

class HashConsumer {
public:
    HashConsumer(TDCP_hash& hash, AlgorithmId algorithm);
    static HashConsumer Crc32(std::uint32_t& crcRegister);
    void Update(std::span<const std::uint8_t> block);
    double Cost() const { return cost_; } // relative time per byte, for sharing out the work

private:
    HashConsumer() = default;
    TDCP_hash* hash_ = nullptr;
    std::uint32_t* crc_ = nullptr;
    double cost_ = 0;
};

// Counts the lent parts still running; the borrower waits for them.
class PartsLatch {
public:
    void Add(unsigned parts);
    void Done();
    void Wait();

private:
    std::mutex mutex_;
    std::condition_variable done_;
    unsigned running_ = 0;
};

// Threads a feed may borrow for a share of its work.
class ThreadLender {
public:
    virtual ~ThreadLender() = default;
    // A hint, cheap to ask often: some thread would take a part now.
    virtual bool Idle() const = 0;
    // Runs Part(1) .. Part(n) on n <= Most other threads, each once, and
    // returns n (0 when none is free); Latch learns of each part's start and
    // end. Part is used by reference: it must live until Latch is done.
    virtual unsigned Lend(unsigned most, const std::function<void(unsigned)>& part, PartsLatch& latch) = 0;
};

struct FeedPlan {
    std::uint64_t Size = 0;         // the stream's expected length
    ThreadLender* Lender = nullptr; // null: one thread
    unsigned MostLent = 0;          // threads to borrow at most
};

// Reads Source to its end and gives every block to every consumer; false
// when a read failed. While a large part of the stream is left and the
// lender has threads to spare, the consumers are shared out by cost over
// them. BytesRead is told the running total after each read.
bool FeedConsumers(TByteSource& source, std::vector<HashConsumer>& consumers, const FeedPlan& plan,
                   const std::function<void(std::uint64_t)>& bytesRead);

// The consumers in Threads groups of about equal cost (each group's
// indices), the costliest first onto the least loaded group.
std::vector<std::vector<std::size_t>> ShareOut(const std::vector<HashConsumer>& consumers, unsigned threads);

} // namespace sumbrook::workflow
