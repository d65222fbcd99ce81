#include "workflow/stoppable_job.h"

#include "base/byte_source.h"
#include "platform/file_reader.h"
#include "workflow/file_digest_job.h"

namespace sumbrook::workflow {

namespace {

// The file's bytes as long as the run goes on; counts what it delivers.
class WatchedSource final : public TByteSource {
public:
    WatchedSource(TByteSource& inner, JobWatch& watch) : inner_(inner), watch_(watch) {}
    std::ptrdiff_t Read(std::span<std::uint8_t> into) override
    {
        if (watch_.Stop.load(std::memory_order_relaxed)) return -1;
        const std::ptrdiff_t got = inner_.Read(into);
        if (got > 0) watch_.BytesRead.fetch_add(static_cast<std::uint64_t>(got), std::memory_order_relaxed);
        return got;
    }

private:
    TByteSource& inner_;
    JobWatch& watch_;
};

FileResult RunOn(platform::FileReader& reader, FileDigestJob& job, JobWatch& watch)
{
    watch.FileSize.store(reader.Size(), std::memory_order_relaxed);
    WatchedSource source(reader, watch);
    FileResult result = job.Run(source, reader.Size());
    if (!reader.Failure().empty()) result.Failure = reader.Failure();
    return result;
}

} // namespace

FileResult RunStoppableJob(const std::string& path, AlgorithmSet algorithms, unsigned threads, JobWatch& watch)
{
    watch.BytesRead.store(0, std::memory_order_relaxed);
    watch.FileSize.store(0, std::memory_order_relaxed);
    if (algorithms.Empty()) return {};
    FileDigestJob job(path, algorithms, threads);
    try {
        // The same opening as FileDigestJob::Run: the digests want the file to
        // themselves; the CRC-32 alone also reads a file others hold open.
        const bool digests = !algorithms.Digests().Empty();
        const auto share = digests ? platform::ShareMode::DenyOthers : platform::ShareMode::AllowOthers;
        platform::PathInfo failure;
        if (const auto reader = platform::FileReader::Open(path, share, failure)) return RunOn(*reader, job, watch);
        if (failure.Kind == platform::PathInfo::Kind::Missing) return {true, {}, failure.Failure};
        if (failure.Kind == platform::PathInfo::Kind::Folder) return {true, {}, "Is a directory"};
        if (algorithms.Contains(AlgorithmId::Crc32) && digests) {
            platform::PathInfo crcFailure;
            if (const auto reader = platform::FileReader::Open(path, platform::ShareMode::AllowOthers, crcFailure)) {
                FileDigestJob crcOnly(path, {AlgorithmId::Crc32}, 1);
                FileResult result = RunOn(*reader, crcOnly, watch);
                for (const AlgorithmId id : algorithms.Digests()) result.Values.push_back({id, true, {}});
                if (result.Failure.empty()) result.Failure = failure.Failure;
                return result;
            }
        }
        return job.Failed(failure.Failure);
    } catch (...) {
        return job.Failed({});
    }
}

} // namespace sumbrook::workflow
