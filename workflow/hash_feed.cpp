#include "workflow/hash_feed.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <numeric>
#include <optional>

#include "digest/crc32/CRC32_FCS32.h"
#include "digest/engine/DCPhash.h"
#include "digest/engine/algorithm.h"

namespace sumbrook::workflow {

namespace {

// Time per byte, as the inverse of the MB/s each algorithm reaches on one
// core; only the ratios matter.
double CostOf(AlgorithmId algorithm)
{
    return 1.0 / InfoOf(algorithm).MBPerSecond;
}

} // namespace

HashConsumer::HashConsumer(TDCP_hash& hash, AlgorithmId algorithm) : hash_(&hash), cost_(CostOf(algorithm)) {}

HashConsumer HashConsumer::Crc32(std::uint32_t& crcRegister)
{
    HashConsumer consumer;
    consumer.crc_ = &crcRegister;
    consumer.cost_ = CostOf(AlgorithmId::Crc32);
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

void PartsLatch::Add(unsigned parts)
{
    const std::lock_guard lock(mutex_);
    running_ += parts;
}

void PartsLatch::Done()
{
    // Notified under the lock: the borrower may go, and the latch with it,
    // as soon as the lock is free.
    const std::lock_guard lock(mutex_);
    if (--running_ == 0) done_.notify_all();
}

void PartsLatch::Wait()
{
    std::unique_lock lock(mutex_);
    done_.wait(lock, [this] { return running_ == 0; });
}

namespace {

// Below this much left to read, sharing the work out costs more than it saves.
constexpr std::uint64_t kSharedFrom = 1 << 20;
constexpr std::size_t kSharedBuffer = 1 << 20;
constexpr std::size_t kSmallBuffer = 64 << 10;
constexpr std::size_t kRingBuffers = 4;

// A ring of buffers: the reader fills one while the other parts hash the
// ones before; a buffer is refilled only when every part is done with it.
class BufferRing {
public:
    BufferRing(std::size_t buffers, std::size_t bufferSize)
        : buffers_(buffers, std::vector<std::uint8_t>(bufferSize)), sizes_(buffers), pending_(buffers)
    {}

    // Reader side. Parts: how many consume each block, the reader's among them.
    void Start(std::size_t parts)
    {
        const std::lock_guard lock(mutex_);
        parts_ = parts;
    }
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
            pending_[slot] = parts_;
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

    // Part side: the block of Sequence, or nothing once the stream has ended.
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
    std::vector<std::size_t> pending_; // parts still to hash each buffer
    std::size_t parts_ = 1;
    std::uint64_t published_ = 0;
    bool ended_ = false;
};

// The rest of the stream with the consumers shared out over the calling
// thread and the threads lent to it; nothing when none was lent.
std::optional<bool> FeedShared(TByteSource& source, std::vector<HashConsumer>& consumers, const FeedPlan& plan,
                               std::uint64_t& total, const std::function<void(std::uint64_t)>& bytesRead)
{
    BufferRing ring(kRingBuffers, kSharedBuffer);
    std::vector<std::vector<std::size_t>> shares; // written before the first block is published
    PartsLatch latch;
    const std::function<void(unsigned)> part = [&](unsigned k) { // lent by reference: it outlives the parts
        for (std::uint64_t sequence = 0;; ++sequence) {
            const auto block = ring.WaitForBlock(sequence);
            if (!block) return;
            for (const std::size_t c : shares[k]) consumers[c].Update(*block);
            ring.Release(sequence);
        }
    };
    const auto most = static_cast<unsigned>(std::min<std::size_t>(plan.MostLent, consumers.size() - 1));
    const unsigned lent = plan.Lender->Lend(most, part, latch);
    if (lent == 0) return std::nullopt;
    shares = ShareOut(consumers, lent + 1);
    ring.Start(shares.size());
    // However this ends, the parts see the end and are waited for.
    struct Finish {
        BufferRing& Ring;
        PartsLatch& Latch;
        ~Finish()
        {
            Ring.End();
            Latch.Wait();
        }
    } finish{ring, latch};
    for (std::uint64_t sequence = 0;; ++sequence) {
        const std::span<std::uint8_t> buffer = ring.WaitForFree(sequence);
        const std::ptrdiff_t got = source.Read(buffer);
        if (got <= 0) return got == 0;
        ring.Publish(sequence, static_cast<std::size_t>(got));
        // The reader's own share, while the parts hash theirs.
        const std::span<const std::uint8_t> block(buffer.data(), static_cast<std::size_t>(got));
        for (const std::size_t c : shares[0]) consumers[c].Update(block);
        ring.Release(sequence);
        total += static_cast<std::uint64_t>(got);
        if (bytesRead) bytesRead(total);
    }
}

} // namespace

bool FeedConsumers(TByteSource& source, std::vector<HashConsumer>& consumers, const FeedPlan& plan,
                   const std::function<void(std::uint64_t)>& bytesRead)
{
    const bool mayShare = plan.Lender != nullptr && plan.MostLent > 0 && consumers.size() > 1;
    // A small file needs no more room than itself (and one byte to see its end).
    const auto size = static_cast<std::size_t>(std::clamp<std::uint64_t>(plan.Size + 1, 4096, kSmallBuffer));
    const auto room = std::make_unique_for_overwrite<std::uint8_t[]>(size); // filled by the reads
    const std::span<std::uint8_t> buffer(room.get(), size);
    std::uint64_t total = 0;
    for (;;) {
        // Threads that would idle otherwise take a share of what is left.
        if (mayShare && plan.Size > total && plan.Size - total >= kSharedFrom && plan.Lender->Idle())
            if (const auto shared = FeedShared(source, consumers, plan, total, bytesRead)) return *shared;
        const std::ptrdiff_t got = source.Read(buffer);
        if (got < 0) return false;
        if (got == 0) return true;
        const std::span<const std::uint8_t> block(buffer.data(), static_cast<std::size_t>(got));
        for (HashConsumer& consumer : consumers) consumer.Update(block);
        total += static_cast<std::uint64_t>(got);
        if (bytesRead) bytesRead(total);
    }
}

} // namespace sumbrook::workflow
