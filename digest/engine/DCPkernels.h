#pragma once

// Which kernel each digest runs on this processor, the check of the
// SUMBROOK_DIGEST_KERNEL variable, and a way to pick a kernel for tests.

#include <string>
#include <string_view>
#include <vector>

namespace sumbrook {

struct TDigestKernel {
    std::string_view Algorithm; // the algorithm's name in the table of algorithm.h
    std::string_view Kernel;    // "portable", "sha-ni", "vpclmulqdq-avx512", ...
};

// Every algorithm of the table, in its order, then the multi-buffer MD5
// and SHA-1: the kernel each runs.
// Asking makes the choice if no digest has made it yet.
std::vector<TDigestKernel> DigestKernelsInUse();

// SUMBROOK_DIGEST_KERNEL=portable makes every digest run its portable
// kernel; the name of another kernel makes the digests that have it run it
// where the processor can, the others keep their own choice.
//
// Empty when SUMBROOK_DIGEST_KERNEL is unset, empty, "portable" or the name
// of some kernel; otherwise the message to show before refusing to start.
std::string DigestKernelVariableError();
// The same check of any value.
std::string DigestKernelNameError(std::string_view Value);

// The kernels of Algorithm (a name as in DigestKernelsInUse) this processor
// runs, fastest first, "portable" last; empty for an unknown algorithm.
std::vector<std::string_view> RunnableDigestKernels(std::string_view Algorithm);

// For tests: Algorithm runs Kernel while the object lives, then what it ran
// before. Throws std::invalid_argument when the processor cannot run Kernel.
// SHA384 and SHA512 share their kernel.
class TDigestKernelOverride {
public:
    TDigestKernelOverride(std::string_view Algorithm, std::string_view Kernel);
    ~TDigestKernelOverride();
    TDigestKernelOverride(const TDigestKernelOverride&) = delete;
    TDigestKernelOverride& operator=(const TDigestKernelOverride&) = delete;

private:
    std::string algorithm_;
    std::string previous_;
};

} // namespace sumbrook
