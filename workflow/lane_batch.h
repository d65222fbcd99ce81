#pragma once

// Small files hashed together: their MD5 and SHA-1 one SIMD lane per file,
// where the processor's multi-buffer kernel beats the one-stream code; the
// other algorithms of the selection from the same bytes, one file at a time.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "digest/engine/algorithm.h"
#include "workflow/file_result.h"

namespace sumbrook::workflow {

class FileDigestJob;

// Files up to this size are read whole for the lanes; larger ones keep the
// one-stream code (and may share their algorithms over threads).
inline constexpr std::uint64_t kLaneFileLimit = std::uint64_t{1} << 20;
// Files per batch: enough for every lane of the widest kernel, twice over.
inline constexpr std::size_t kLaneBatch = 32;

// The algorithms of Selection the lanes take on this processor: MD5 from 8
// lanes up, SHA-1 from 16 (8 lanes are no faster than SHA-NI). Empty when
// the one-stream kernels are forced.
AlgorithmSet LaneAlgorithms(AlgorithmSet selection);

// Runs the jobs one after another as FileDigestJob::Run does and gives
// their results in the same order and byte for byte the same, the Lanes
// algorithms of the small files hashed together at the end.
std::vector<FileResult> RunBatch(std::span<FileDigestJob* const> jobs, AlgorithmSet lanes);

} // namespace sumbrook::workflow
