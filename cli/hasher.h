#pragma once

// One thread's digest components and the job that runs them on a file.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "digest/engine/DCPcatalogue.h"
#include "cli/algorithms.h"
#include "workflow/file_digest_job.h"

namespace sumbrook::cli {

class ProgressLine;

// The values of a job's result lines, upper-case hex by algorithm (CRC-32
// with eight digits); empty for a line that holds an error.
using ComputedValues = std::array<std::optional<std::string>, kAlgorithmCount>;
ComputedValues ValuesOf(const workflow::FileResult& result);

class Hasher {
public:
    explicit Hasher(ProgressLine* progress) : progress_(progress) {}
    // Threads: how many may share the file's algorithms.
    workflow::FileResult Hash(const std::string& path, const AlgorithmSet& algorithms, unsigned threads);

private:
    ProgressLine* progress_;
};

} // namespace sumbrook::cli
