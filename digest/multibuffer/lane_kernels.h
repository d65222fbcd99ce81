#pragma once

// Multi-buffer kernels: one call folds one 64-byte block into each of Width
// independent chaining values, one SIMD lane per message. MD5 and SHA-1 each
// list theirs, widest first; "portable" is one lane of plain code.

#include <cstddef>
#include <cstdint>

#include "digest/engine/DCPdispatch.h"

namespace sumbrook::dcp {

inline constexpr std::size_t kMaxLanes = 16;

// State holds word w of lane l at State[w * Width + l]. Blocks holds Width
// pointers, each to 64 readable bytes; only the lanes whose bit is set in
// Active change their state, the others' blocks are read and ignored.
using LaneCompressor = void (*)(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active);

struct LaneKernel {
    std::size_t Width;
    LaneCompressor Run;
};

LaneKernel Md5LaneKernel();
LaneKernel Sha1LaneKernel();
std::string_view Md5LaneKernelName();
std::string_view Sha1LaneKernelName();

// The slots of the two, for the kernel listing and the test seam.
KernelSlot& Md5MultiBufferSlot();
KernelSlot& Sha1MultiBufferSlot();

void Md5LanesPortable(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active);
void Sha1LanesPortable(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active);
#if SUMBROOK_DIGEST_X86_64
void Md5LanesAvx512(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active);
void Md5LanesAvx2(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active);
void Sha1LanesAvx512(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active);
void Sha1LanesAvx2(std::uint32_t* State, const std::uint8_t* const* Blocks, std::uint32_t Active);
#endif

} // namespace sumbrook::dcp
