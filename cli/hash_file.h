#pragma once

// The digest job for one file as sumbrook-cli runs it: on a thread of the
// pool, borrowing the pool's idle threads for a large file, shown on the
// progress line while it runs.

#include <cstddef>
#include <string>

#include "digest/engine/algorithm.h"
#include "workflow/file_result.h"

namespace sumbrook::workflow {
class ThreadLender;
}

namespace sumbrook::cli {

class ProgressLine;

// Jobs queued ahead of the one written next, per thread: enough that no
// thread waits for work, few enough to bound the memory.
inline constexpr std::size_t kLookAhead = 64;

workflow::FileResult HashFile(const std::string& path, AlgorithmSet algorithms, unsigned threads,
                              workflow::ThreadLender& lender, ProgressLine& progress);

} // namespace sumbrook::cli
