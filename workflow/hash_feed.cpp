#include "workflow/hash_feed.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <numeric>
#include <optional>
#include <thread>

#include "digest/crc32/CRC32_FCS32.h"
#include "digest/engine/DCPcatalogue.h"
#include "digest/engine/DCPhash.h"

namespace sumbrook::workflow {

namespace {

// Time per byte, as the inverse of the MB/s each algorithm reaches on one
// core; only the ratios matter.
double CostOf(const TDCP_hash& hash)
{
    const std::int32_t id = hash.GetId();
    for (const TCatalogueEntry& entry : AlgorithmCatalogue())
        if (entry.Id == id) return 1.0 / entry.MBPerSecond;
    return 1.0 / 500;
}

constexpr double kCrc32Cost = 1.0 / 20000;

} // namespace

HashConsumer::HashConsumer(TDCP_hash* hash) : hash_(hash), cost_(CostOf(*hash)) {}

HashConsumer HashConsumer::Crc32(std::uint32_t& crcRegister)
{
    HashConsumer consumer;
    consumer.crc_ = &crcRegister;
    consumer.cost_ = kCrc32Cost;
    return consumer;
}

void HashConsumer::Update(std::span<const std::uint8_t> block)
{
    if (hash_ != nullptr)
        hash_->Update(block);
    else
        *crc_ = Crc32Fold(*crc_, block);
}

std::vector<std::vector<std::size_t>> ShareOut(const std::vector<HashConsumer>& consumers, unsigned threads)
{
    const std::size_t groups = std::clamp<std::size_t>(threads, 1, std::max<std::size_t>(consumers.size(), 1));
    std::vector<std::size_t> order(consumers.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return consumers[a].Cost() > consumers[b].Cost(); });
    std::vector<std::vector<std::size_t>> shares(groups);
    std::vector<double> load(groups, 0.0);
    for (const std::size_t k : order) {
        const auto lightest = static_cast<std::size_t>(std::min_element(load.begin(), load.end()) - load.begin());
        shares[lightest].push_back(k);
        load[lightest] += consumers[k].Cost();
    }
    return shares;
}

namespace {

bool FeedOnOneThread(TByteSource& source, std::vector<HashConsumer>& consumers, std::size_t bufferSize,
                     const std::function<void(std::uint64_t)>& bytesRead)
{
    const auto room = std::make_unique_for_overwrite<std::uint8_t[]>(bufferSize); // filled by the reads
    const std::span<std::uint8_t> buffer(room.get(), bufferSize);
    std::uint64_t total = 0;
    for (;;) {
        const std::ptrdiff_t got = source.Read(buffer);
        if (got < 0) return false;
        if (got == 0) return true;
        const std::span<const std::uint8_t> block(buffer.data(), static_cast<std::size_t>(got));
        for (HashConsumer& consumer : consumers) consumer.Update(block);
        total += static_cast<std::uint64_t>(got);
        if (bytesRead) bytesRead(total);
    }
}

// A ring of buffers: the reader fills one while the workers hash the others;
// a buffer is refilled only when every worker is done with it.
class BufferRing {
public:
    BufferRing(std::size_t buffers, std::size_t bufferSize, std::size_t workers)
        : buffers_(buffers, std::vector<std::uint8_t>(bufferSize)), sizes_(buffers), pending_(buffers), workers_(workers)
    {
    }

    // Reader side.
    std::span<std::uint8_t> WaitForFree(std::uint64_t sequence)
    {
        std::unique_lock lock(mutex_);
        const std::size_t slot = sequence % buffers_.size();
        consumed_.wait(lock, [&] { return pending_[slot] == 0; });
        return buffers_[slot];
    }
    void Publish(std::uint64_t sequence, std::size_t size)
    {
        {
            const std::lock_guard lock(mutex_);
            const std::size_t slot = sequence % buffers_.size();
            sizes_[slot] = size;
            pending_[slot] = workers_;
            published_ = sequence + 1;
        }
        produced_.notify_all();
    }
    void End()
    {
        {
            const std::lock_guard lock(mutex_);
            ended_ = true;
        }
        produced_.notify_all();
    }

    // Worker side: the block of Sequence, or nothing once the stream has ended.
    std::optional<std::span<const std::uint8_t>> WaitForBlock(std::uint64_t sequence)
    {
        std::unique_lock lock(mutex_);
        produced_.wait(lock, [&] { return published_ > sequence || ended_; });
        if (published_ <= sequence) return std::nullopt;
        const std::size_t slot = sequence % buffers_.size();
        return std::span<const std::uint8_t>(buffers_[slot].data(), sizes_[slot]);
    }
    void Release(std::uint64_t sequence)
    {
        bool free = false;
        {
            const std::lock_guard lock(mutex_);
            free = --pending_[sequence % buffers_.size()] == 0;
        }
        if (free) consumed_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable produced_, consumed_;
    std::vector<std::vector<std::uint8_t>> buffers_;
    std::vector<std::size_t> sizes_;
    std::vector<std::size_t> pending_; // workers still to hash each buffer
    std::size_t workers_;
    std::uint64_t published_ = 0;
    bool ended_ = false;
};

} // namespace

bool FeedConsumers(TByteSource& source, std::vector<HashConsumer>& consumers, unsigned threads,
                   std::size_t bufferSize, const std::function<void(std::uint64_t)>& bytesRead)
{
    if (threads <= 1 || consumers.size() <= 1) return FeedOnOneThread(source, consumers, bufferSize, bytesRead);

    const auto shares = ShareOut(consumers, threads);
    BufferRing ring(4, bufferSize, shares.size());
    std::vector<std::jthread> workers;
    workers.reserve(shares.size());
    for (const auto& share : shares) {
        workers.emplace_back([&ring, &consumers, &share] {
            for (std::uint64_t sequence = 0;; ++sequence) {
                const auto block = ring.WaitForBlock(sequence);
                if (!block) return;
                for (const std::size_t k : share) consumers[k].Update(*block);
                ring.Release(sequence);
            }
        });
    }
    bool ok = true;
    std::uint64_t total = 0;
    for (std::uint64_t sequence = 0;; ++sequence) {
        const std::span<std::uint8_t> buffer = ring.WaitForFree(sequence);
        const std::ptrdiff_t got = source.Read(buffer);
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ring.Publish(sequence, static_cast<std::size_t>(got));
        total += static_cast<std::uint64_t>(got);
        if (bytesRead) bytesRead(total);
    }
    ring.End();
    workers.clear(); // joins: every published block is hashed before the digests are read
    return ok;
}

} // namespace sumbrook::workflow
