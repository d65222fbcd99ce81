#pragma once

// The block-buffer discipline shared by every digest: input is copied into
// HashBuffer and compressed from there one full block at a time; Final stores
// the pad byte at Index and spills into an extra block when the trailer
// would not fit.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace sumbrook::dcp {

// Compress must fold HashBuffer into the chaining value, set Index to 0 and
// zero HashBuffer.
template <std::size_t B, class CompressFn>
inline void AbsorbBlocks(std::uint8_t (&HashBuffer)[B], std::uint32_t& Index,
                         std::span<const std::uint8_t> Buffer, CompressFn&& Compress)
{
    const std::uint8_t* in = Buffer.data();
    std::size_t left = Buffer.size();
    while (left != 0) {
        const std::size_t room = B - Index;
        if (left < room) {
            std::memcpy(HashBuffer + Index, in, left);
            Index += static_cast<std::uint32_t>(left);
            return;
        }
        std::memcpy(HashBuffer + Index, in, room);
        in += room;
        left -= room;
        Compress();
    }
}

// Steps 2 and 3 of Final: pad byte at Index, and an extra block when Index
// has reached the trailer offset T.
template <std::size_t B, class CompressFn>
inline void PadBlock(std::uint8_t (&HashBuffer)[B], std::uint32_t Index, std::uint8_t PadByte,
                     std::size_t T, CompressFn&& Compress)
{
    HashBuffer[Index] = PadByte;
    if (Index >= T) Compress();
}

// A 64-bit bit count kept as two 32-bit halves.
inline void AddBitCount(std::uint32_t& LenHi, std::uint32_t& LenLo, std::size_t Size)
{
    const std::uint64_t bits = static_cast<std::uint64_t>(Size) << 3;
    const auto low = static_cast<std::uint32_t>(bits);
    LenLo += low;
    LenHi += static_cast<std::uint32_t>(bits >> 32) + (LenLo < low ? 1u : 0u);
}

// A 128-bit bit count kept as two 64-bit halves.
inline void AddBitCount(std::uint64_t& LenHi, std::uint64_t& LenLo, std::size_t Size)
{
    const std::uint64_t low = static_cast<std::uint64_t>(Size) << 3;
    LenLo += low;
    LenHi += (static_cast<std::uint64_t>(Size) >> 61) + (LenLo < low ? 1u : 0u);
}

} // namespace sumbrook::dcp
