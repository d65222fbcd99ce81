#include "workflow/file_digest_job.h"

#include <algorithm>
#include <array>

#include "digest/crc32/CRC32_FCS32.h"
#include "digest/engine/DCPhash.h"
#include "platform/file_reader.h"
#include "workflow/hash_feed.h"
#include "workflow/result_line.h"
#include "workflow/texts.h"

namespace sumbrook::workflow {

namespace {

// Below this a file is hashed on one thread: starting workers would cost more.
constexpr std::uint64_t kSharedFrom = 1 << 20;
constexpr std::size_t kLargeBuffer = 1 << 20;
constexpr std::size_t kSmallBuffer = 64 << 10;

} // namespace

FileDigestJob::FileDigestJob(std::string path, JobAlgorithms algorithms, unsigned threads)
    : path_(std::move(path)), algorithms_(std::move(algorithms)), threads_(std::max(threads, 1u))
{
}

int FileDigestJob::Percent() const
{
    const std::uint64_t size = FileSize();
    if (size == 0) return 0;
    return static_cast<int>(std::min<std::uint64_t>(BytesRead() * 100 / size, 100));
}

JobResult FileDigestJob::ErrorLines(std::string failure) const
{
    JobResult result{false, {}, std::move(failure)};
    if (algorithms_.Crc32) result.Lines << kCrcErrorLine;
    if (!algorithms_.Hashes.empty()) result.Lines << kDigestErrorLine;
    return result;
}

JobResult FileDigestJob::Run()
{
    if (!algorithms_.Any()) return {};
    // Windows: the digests want the file to themselves; the CRC-32 also
    // reads a file others hold open, so it is tried alone when they refuse.
    const auto share = algorithms_.Hashes.empty() ? platform::ShareMode::AllowOthers : platform::ShareMode::DenyOthers;
    platform::PathInfo failure;
    if (const auto reader = platform::FileReader::Open(path_, share, failure)) {
        JobResult result = Run(*reader, reader->Size());
        if (!reader->Failure().empty()) result.Failure = reader->Failure();
        return result;
    }
    // Nothing there, or a folder: no lines. Anything else could not be read.
    if (failure.Kind == platform::PathInfo::Kind::Missing) return {true, {}, failure.Failure};
    if (failure.Kind == platform::PathInfo::Kind::Folder) return {true, {}, "Is a directory"};
    if (algorithms_.Crc32 && share == platform::ShareMode::DenyOthers) {
        platform::PathInfo crcFailure;
        if (const auto reader = platform::FileReader::Open(path_, platform::ShareMode::AllowOthers, crcFailure)) {
            FileDigestJob crcOnly(path_, {true, {}}, 1);
            JobResult result = crcOnly.Run(*reader, reader->Size());
            result.Lines << kDigestErrorLine;
            if (result.Failure.empty()) result.Failure = failure.Failure;
            return result;
        }
    }
    return ErrorLines(failure.Failure);
}

JobResult FileDigestJob::Run(TByteSource& source, std::uint64_t size)
{
    fileSize_.store(size, std::memory_order_relaxed);
    bytesRead_.store(0, std::memory_order_relaxed);
    for (TDCP_hash* hash : algorithms_.Hashes) hash->Init();
    std::uint32_t crc = kCrc32Preset;
    std::vector<HashConsumer> consumers;
    if (algorithms_.Crc32) consumers.push_back(HashConsumer::Crc32(crc));
    for (TDCP_hash* hash : algorithms_.Hashes) consumers.emplace_back(hash);

    const bool shared = size >= kSharedFrom && threads_ > 1;
    // A small file needs no more room than itself (and one byte to see its end).
    const std::size_t buffer = shared ? kLargeBuffer : static_cast<std::size_t>(std::clamp<std::uint64_t>(size + 1, 4096, kSmallBuffer));
    const bool read = FeedConsumers(source, consumers, shared ? threads_ : 1, buffer,
                                    [this](std::uint64_t total) { bytesRead_.store(total, std::memory_order_relaxed); });
    if (!read) {
        // The digests of the bytes read so far would describe the wrong bytes.
        for (TDCP_hash* hash : algorithms_.Hashes) hash->Burn();
        return ErrorLines({});
    }

    JobResult result;
    if (algorithms_.Crc32) result.Lines << Crc32Line(~crc);
    std::array<std::uint8_t, 64> digest{}; // the largest digest of the catalogue
    for (TDCP_hash* hash : algorithms_.Hashes) {
        const auto length = std::min(static_cast<std::size_t>(hash->HashSize() / 8), digest.size());
        const std::span<std::uint8_t> out(digest.data(), length);
        hash->Final(out); // a larger digest than the buffer would raise, never overflow
        result.Lines << DigestLine(hash->GetAlgorithm(), out);
    }
    return result;
}

} // namespace sumbrook::workflow
