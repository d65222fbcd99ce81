#include "workflow/lane_batch.h"

#include "digest/multibuffer/MultiBufferHasher.h"
#include "workflow/file_digest_job.h"

namespace sumbrook::workflow {

namespace {

// Fills the value of Id in each result whose bytes were left to the lanes.
template <class Algo>
void HashLanes(AlgorithmId id, const std::vector<std::vector<std::uint8_t>>& bytes, const std::vector<bool>& left,
               std::vector<FileResult>& results)
{
    TMultiBufferHasher<Algo> lanes;
    for (std::size_t i = 0; i < results.size(); ++i)
        if (left[i]) lanes.Add(bytes[i], i);
    for (const auto& done : lanes.Flush())
        for (AlgorithmResult& value : results[done.Tag].Values)
            if (value.Algorithm == id) value.Value = DigestValue(done.Digest);
}

} // namespace

AlgorithmSet LaneAlgorithms(AlgorithmSet selection)
{
    AlgorithmSet lanes;
    if (selection.Contains(AlgorithmId::Md5) && TMultiBufferHasher<MultiBufferMd5>().Width() >= 8)
        lanes.Insert(AlgorithmId::Md5);
    if (selection.Contains(AlgorithmId::Sha1) && TMultiBufferHasher<MultiBufferSha1>().Width() >= 16)
        lanes.Insert(AlgorithmId::Sha1);
    return lanes;
}

std::vector<FileResult> RunBatch(std::span<FileDigestJob* const> jobs, AlgorithmSet lanes)
{
    std::vector<FileResult> results;
    results.reserve(jobs.size());
    // Kept from batch to batch on each thread: megabytes fresh from the
    // system would cost a page fault every 4 KiB, more than the hashing.
    thread_local std::vector<std::vector<std::uint8_t>> bytes;
    if (bytes.size() < jobs.size()) bytes.resize(jobs.size());
    for (std::size_t i = 0; i < jobs.size(); ++i) bytes[i].clear();
    std::vector<bool> left(jobs.size(), false);
    for (std::size_t i = 0; i < jobs.size(); ++i) {
        bool leftToLanes = false;
        results.push_back(jobs[i]->RunLeaving(lanes, kLaneFileLimit, bytes[i], leftToLanes));
        left[i] = leftToLanes;
    }
    if (lanes.Contains(AlgorithmId::Md5)) HashLanes<MultiBufferMd5>(AlgorithmId::Md5, bytes, left, results);
    if (lanes.Contains(AlgorithmId::Sha1)) HashLanes<MultiBufferSha1>(AlgorithmId::Sha1, bytes, left, results);
    return results;
}

} // namespace sumbrook::workflow
