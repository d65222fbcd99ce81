// CRC-32 by carry-less multiplication on 128-bit lanes (PCLMULQDQ).
// Built with -mpclmul -msse4.1; chosen only where the processor has them.
// The folding and its constants are explained in CRC32_fold.h.

#include "digest/engine/DCPcpu.h"

#if SUMBROOK_DIGEST_X86_64

#include <immintrin.h>

#include "digest/crc32/CRC32_lane.h"

namespace sumbrook::dcp {

namespace {

constexpr unsigned kLanes = 4; // 64 bytes a round: products in flight, yet no register spilled

inline __m128i Load(const std::uint8_t* p)
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

} // namespace

std::uint32_t Crc32FoldPclmul(std::uint32_t Register, std::span<const std::uint8_t> Data)
{
    const std::uint8_t* p = Data.data();
    std::size_t n = Data.size();
    if (n < 16 * kLanes) return Crc32FoldPortable(Register, Data);

    // The register joins the first four bytes; from here on the fold
    // carries the whole state.
    __m128i x[kLanes];
    for (unsigned i = 0; i < kLanes; ++i) x[i] = Load(p + 16 * i);
    x[0] = _mm_xor_si128(x[0], _mm_cvtsi32_si128(static_cast<int>(Register)));
    p += 16 * kLanes;
    n -= 16 * kLanes;

    const __m128i kRound = Constants(FoldBy(128 * kLanes));
    while (n >= 16 * kLanes) {
        for (unsigned i = 0; i < kLanes; ++i) x[i] = _mm_xor_si128(Fold(x[i], kRound), Load(p + 16 * i));
        p += 16 * kLanes;
        n -= 16 * kLanes;
    }

    const __m128i kLane = Constants(FoldBy(128));
    __m128i acc = x[0];
    for (unsigned i = 1; i < kLanes; ++i) acc = _mm_xor_si128(Fold(acc, kLane), x[i]);
    return FinishLane(acc, p, n);
}

} // namespace sumbrook::dcp

#endif
