#pragma once

// One file's digest job as a run does it: it can be cut short from another
// thread, and tells how far its reading is.

#include <atomic>
#include <cstdint>
#include <string>

#include "digest/engine/algorithm.h"
#include "workflow/file_result.h"

namespace sumbrook::workflow {

// Shared between the thread that computes and the one that watches.
struct JobWatch {
    std::atomic<bool> Stop{false};          // set: the read in progress fails, the job ends
    std::atomic<std::uint64_t> BytesRead{0}; // of the file being read
    std::atomic<std::uint64_t> FileSize{0};
};

// The file's result, opened and read as FileDigestJob::Run does; once
// Watch.Stop is set the result is meaningless (the caller drops it). A
// hash component that fails gives the file's error lines, as a failed read.
FileResult RunStoppableJob(const std::string& path, AlgorithmSet algorithms, unsigned threads, JobWatch& watch);

} // namespace sumbrook::workflow
