#pragma once

// The 128-bit end of both carry-less-multiply CRC-32 kernels (CRC32_fold.h
// explains the folding): one lane folded over the remaining 16-byte pieces,
// then the table routine for the lane and the last bytes. Included only by
// the kernel files, which are built with PCLMULQDQ; everything here has
// internal linkage, so the copies never mix.

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

#include "digest/crc32/CRC32_fold.h"

namespace sumbrook::dcp {

namespace {

inline __m128i Constants(FoldConstants k)
{
    return _mm_set_epi64x(static_cast<long long>(k.ForHigh), static_cast<long long>(k.ForLow));
}

inline __m128i Fold(__m128i x, __m128i k)
{
    return _mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11));
}

// Lane carries everything folded before P; N bytes from P remain.
inline std::uint32_t FinishLane(__m128i lane, const std::uint8_t* p, std::size_t n)
{
    const __m128i kLane = Constants(FoldBy(128));
    while (n >= 16) {
        lane = _mm_xor_si128(Fold(lane, kLane), _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
        p += 16;
        n -= 16;
    }
    // The lane is congruent to everything folded so far: its table CRC from
    // a zero register is the register, and the tail follows.
    alignas(16) std::uint8_t bytes[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes), lane);
    return Crc32FoldPortable(Crc32FoldPortable(0, bytes), {p, n});
}

} // namespace

} // namespace sumbrook::dcp
