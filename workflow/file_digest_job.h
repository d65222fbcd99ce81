#pragma once

// The digest job for one file: path and algorithms in, each algorithm's
// value (or the failure to read) out, progress as bytes read. The file is
// read once for CRC-32 and every digest; with more than one thread a large
// file's algorithms are shared out over threads that all consume the same
// read buffers while the next buffers are being read: threads a pool lends
// when they would idle otherwise, or threads of the job's own.

#include <atomic>
#include <cstdint>
#include <stop_token>
#include <string>
#include <vector>

#include "digest/engine/algorithm.h"
#include "workflow/file_result.h"

namespace sumbrook {
class TByteSource;
} // namespace sumbrook

namespace sumbrook::workflow {

class ThreadLender;

class FileDigestJob {
public:
    // Threads: how many may hash at once (1 keeps everything on the caller's);
    // the others come from Lender, or without one are started for the job.
    // Once Stop is requested the read in progress fails and the job ends; its
    // result then describes nothing and is to be dropped.
    FileDigestJob(std::string path, AlgorithmSet algorithms, unsigned threads, ThreadLender* lender = nullptr,
                  std::stop_token stop = {});

    // Runs the job on the calling thread, with hash components of its own.
    FileResult Run();
    // The same over a source already opened (Size: its length, for the
    // progress); a failed read fails every algorithm, without a reason.
    FileResult Run(TByteSource& source, std::uint64_t size);

    // As Run, but a file of at most Limit bytes that reads well is kept whole
    // in Bytes, and the Lanes algorithms are left to the caller: their values
    // in the result are empty, to be filled in. Left says whether it was so.
    FileResult RunLeaving(AlgorithmSet lanes, std::uint64_t limit, std::vector<std::uint8_t>& bytes, bool& left);

    // From any thread, while Run goes on: how far the reading is.
    std::uint64_t BytesRead() const { return bytesRead_.load(std::memory_order_relaxed); }
    std::uint64_t FileSize() const { return fileSize_.load(std::memory_order_relaxed); }
    // 0 to 100.
    int Percent() const;
    bool Stopped() const { return stop_.stop_requested(); }
    // After Run: it ended before any stop was asked, so its result holds.
    bool Completed() const { return completed_; }

    // What the file gets when it cannot be read: every algorithm failed.
    FileResult Failed(std::string failure) const;

private:
    FileResult Open();
    FileResult Feed(TByteSource& source, std::uint64_t size, AlgorithmSet algorithms);

    std::string path_;
    AlgorithmSet algorithms_;
    unsigned threads_;
    ThreadLender* lender_;
    std::stop_token stop_;
    // Set while RunLeaving goes on.
    AlgorithmSet leave_;
    std::uint64_t leaveLimit_ = 0;
    std::vector<std::uint8_t>* kept_ = nullptr;
    bool left_ = false;
    bool completed_ = false;
    std::atomic<std::uint64_t> bytesRead_{0};
    std::atomic<std::uint64_t> fileSize_{0};
};

} // namespace sumbrook::workflow
