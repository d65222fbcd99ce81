#include "workflow/file_digest_job.h"

#include <algorithm>
#include <array>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "digest/crc32/CRC32_FCS32.h"
#include "base/byte_source.h"
#include "digest/engine/DCPhash.h"
#include "platform/file_reader.h"
#include "workflow/hash_feed.h"

namespace sumbrook::workflow {

namespace {

// Threads of the job's own, started when a feed asks for them.
class StartedThreads final : public ThreadLender {
public:
    bool Idle() const override { return true; }
    unsigned Lend(unsigned most, const std::function<void(unsigned)>& part, PartsLatch& latch) override
    {
        // As many as the system lets start; the feed does the rest itself.
        for (unsigned k = 1; k <= most; ++k) {
            latch.Add(1);
            try {
                threads_.emplace_back([&part, &latch, k] {
                    part(k);
                    latch.Done();
                });
            } catch (const std::system_error&) {
                latch.Done();
                return k - 1;
            }
        }
        return most;
    }

private:
    std::vector<std::jthread> threads_;
};

// The file's bytes until a stop is requested: checked once per buffer.
class StoppableSource final : public TByteSource {
public:
    StoppableSource(TByteSource& inner, const std::stop_token& stop) : inner_(inner), stop_(stop) {}
    std::ptrdiff_t Read(std::span<std::uint8_t> into) override
    {
        if (stop_.stop_requested()) return -1;
        return inner_.Read(into);
    }

private:
    TByteSource& inner_;
    const std::stop_token& stop_;
};

// The bytes read, also kept in memory.
class KeepingSource final : public TByteSource {
public:
    KeepingSource(TByteSource& inner, std::vector<std::uint8_t>& kept) : inner_(inner), kept_(kept) {}
    std::ptrdiff_t Read(std::span<std::uint8_t> into) override
    {
        const std::ptrdiff_t got = inner_.Read(into);
        if (got > 0) kept_.insert(kept_.end(), into.begin(), into.begin() + got);
        return got;
    }

private:
    TByteSource& inner_;
    std::vector<std::uint8_t>& kept_;
};

} // namespace

FileDigestJob::FileDigestJob(std::string path, AlgorithmSet algorithms, unsigned threads, ThreadLender* lender,
                             std::stop_token stop)
    : path_(std::move(path)), algorithms_(algorithms), threads_(std::max(threads, 1u)), lender_(lender),
      stop_(std::move(stop))
{}

int FileDigestJob::Percent() const
{
    const std::uint64_t size = FileSize();
    if (size == 0) return 0;
    return static_cast<int>(std::min<std::uint64_t>(BytesRead() * 100 / size, 100));
}

FileResult FileDigestJob::Failed(std::string failure) const
{
    FileResult result{false, {}, std::move(failure)};
    for (const AlgorithmId id : algorithms_) result.Values.push_back({id, true, {}});
    return result;
}

FileResult FileDigestJob::Run()
{
    completed_ = false;
    if (Stopped()) return Failed({});
    FileResult result = Open();
    completed_ = !Stopped();
    return result;
}

FileResult FileDigestJob::Open()
{
    if (algorithms_.Empty()) return {};
    // Windows: the digests want the file to themselves; the CRC-32 also
    // reads a file others hold open, so it is tried alone when they refuse.
    const bool digests = !algorithms_.Digests().Empty();
    const auto share = digests ? platform::ShareMode::DenyOthers : platform::ShareMode::AllowOthers;
    platform::PathInfo failure;
    if (const auto reader = platform::FileReader::Open(path_, share, failure)) {
        FileResult result = Run(*reader, reader->Size());
        if (!reader->Failure().empty()) result.Failure = reader->Failure();
        return result;
    }
    // Nothing there, or a folder: no results. Anything else could not be read.
    if (failure.Kind == platform::PathInfo::Kind::Missing) return {true, {}, failure.Failure};
    if (failure.Kind == platform::PathInfo::Kind::Folder) return {true, {}, "Is a directory"};
    if (algorithms_.Contains(AlgorithmId::Crc32) && digests) {
        platform::PathInfo crcFailure;
        if (const auto reader = platform::FileReader::Open(path_, platform::ShareMode::AllowOthers, crcFailure)) {
            FileResult result = Feed(*reader, reader->Size(), {AlgorithmId::Crc32});
            if (!reader->Failure().empty()) result.Failure = reader->Failure();
            for (const AlgorithmId id : algorithms_.Digests()) result.Values.push_back({id, true, {}});
            if (result.Failure.empty()) result.Failure = failure.Failure;
            return result;
        }
    }
    return Failed(failure.Failure);
}

FileResult FileDigestJob::RunLeaving(AlgorithmSet lanes, std::uint64_t limit, std::vector<std::uint8_t>& bytes,
                                     bool& left)
{
    for (const AlgorithmId id : lanes)
        if (algorithms_.Contains(id)) leave_.Insert(id);
    leaveLimit_ = limit;
    kept_ = &bytes;
    left_ = false;
    FileResult result = Run();
    left = left_;
    leave_ = {};
    kept_ = nullptr;
    return result;
}

FileResult FileDigestJob::Run(TByteSource& source, std::uint64_t size)
{
    return Feed(source, size, algorithms_);
}

FileResult FileDigestJob::Feed(TByteSource& source, std::uint64_t size, AlgorithmSet algorithms)
{
    fileSize_.store(size, std::memory_order_relaxed);
    bytesRead_.store(0, std::memory_order_relaxed);
    // The whole file (not the CRC-32 alone after a refusal) within the limit.
    const bool leave = kept_ != nullptr && !leave_.Empty() && algorithms == algorithms_ && size <= leaveLimit_;
    std::uint32_t crc = kCrc32Preset;
    std::vector<HashConsumer> consumers;
    if (algorithms.Contains(AlgorithmId::Crc32)) consumers.push_back(HashConsumer::Crc32(crc));
    std::vector<std::unique_ptr<TDCP_hash>> hashes;
    for (const AlgorithmId id : algorithms.Digests()) {
        if (leave && leave_.Contains(id)) continue;
        hashes.push_back(InfoOf(id).Create());
        hashes.back()->Init();
        consumers.emplace_back(*hashes.back(), id);
    }

    StartedThreads own;
    const FeedPlan plan{size, lender_ != nullptr ? lender_ : &own, threads_ - 1};
    StoppableSource stoppable(source, stop_);
    TByteSource& inner = stop_.stop_possible() ? stoppable : source;
    if (leave) kept_->reserve(static_cast<std::size_t>(size));
    std::vector<std::uint8_t> none;
    KeepingSource keeping(inner, leave ? *kept_ : none);
    const bool read = FeedConsumers(leave ? keeping : inner, consumers, plan, [this](std::uint64_t total) {
        bytesRead_.store(total, std::memory_order_relaxed);
    });
    // The digests of the bytes read so far would describe the wrong bytes;
    // the components wipe what they absorbed as they go.
    if (!read) {
        FileResult failed;
        for (const AlgorithmId id : algorithms) failed.Values.push_back({id, true, {}});
        return failed;
    }

    FileResult result;
    if (algorithms.Contains(AlgorithmId::Crc32))
        result.Values.push_back({AlgorithmId::Crc32, false, DigestValue::OfCrc32(~crc)});
    std::array<std::uint8_t, 64> digest{}; // the largest digest of the catalogue
    std::size_t next = 0;
    for (const AlgorithmId id : algorithms.Digests()) {
        if (leave && leave_.Contains(id)) {
            result.Values.push_back({id, false, {}});
            continue;
        }
        TDCP_hash& hash = *hashes[next++];
        const auto length = std::min(static_cast<std::size_t>(hash.HashSize() / 8), digest.size());
        const std::span<std::uint8_t> out(digest.data(), length);
        hash.Final(out); // a larger digest than the buffer would raise, never overflow
        result.Values.push_back({id, false, DigestValue(out)});
    }
    left_ = leave;
    return result;
}

} // namespace sumbrook::workflow
