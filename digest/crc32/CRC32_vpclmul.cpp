// CRC-32 by carry-less multiplication on 512-bit registers (VPCLMULQDQ with
// AVX-512). Built with -mvpclmulqdq -mpclmul -mavx512f -mavx512vl -mavx512bw;
// chosen only where the processor has them. The folding and its constants are
// explained in CRC32_fold.h.

#include "digest/engine/DCPcpu.h"

#if SUMBROOK_DIGEST_X86_64

#include <immintrin.h>

#include "digest/crc32/CRC32_lane.h"

namespace sumbrook::dcp {

namespace {

constexpr unsigned kRegs = 4; // 256 bytes a round

inline __m512i Constants512(FoldConstants k)
{
    const auto lo = static_cast<long long>(k.ForLow), hi = static_cast<long long>(k.ForHigh);
    return _mm512_set_epi64(hi, lo, hi, lo, hi, lo, hi, lo);
}

// Each of the four lanes folded forward, XORed with the data there.
inline __m512i FoldInto(__m512i x, __m512i k, __m512i data)
{
    return _mm512_ternarylogic_epi64(_mm512_clmulepi64_epi128(x, k, 0x00), _mm512_clmulepi64_epi128(x, k, 0x11), data,
                                     0x96);
}

// The zero-masking form: GCC 12 warns about the plain one's undefined source.
template <int I>
inline __m128i Lane(__m512i x)
{
    return _mm512_maskz_extracti32x4_epi32(0xF, x, I);
}

inline __m512i Load(const std::uint8_t* p)
{
    return _mm512_loadu_si512(p);
}

} // namespace

std::uint32_t Crc32FoldVpclmul(std::uint32_t Register, std::span<const std::uint8_t> Data)
{
    const std::uint8_t* p = Data.data();
    std::size_t n = Data.size();
    if (n < 64 * kRegs) return Crc32FoldPclmul(Register, Data);

    __m512i x[kRegs];
    for (unsigned i = 0; i < kRegs; ++i) x[i] = Load(p + 64 * i);
    x[0] = _mm512_xor_si512(x[0], _mm512_castsi128_si512(_mm_cvtsi32_si128(static_cast<int>(Register))));
    p += 64 * kRegs;
    n -= 64 * kRegs;

    const __m512i kRound = Constants512(FoldBy(512 * kRegs));
    while (n >= 64 * kRegs) {
        for (unsigned i = 0; i < kRegs; ++i) x[i] = FoldInto(x[i], kRound, Load(p + 64 * i));
        p += 64 * kRegs;
        n -= 64 * kRegs;
    }

    const __m512i kReg = Constants512(FoldBy(512));
    __m512i acc = x[0];
    for (unsigned i = 1; i < kRegs; ++i) acc = FoldInto(acc, kReg, x[i]);
    while (n >= 64) {
        acc = FoldInto(acc, kReg, Load(p));
        p += 64;
        n -= 64;
    }

    // The four lanes onto the last: the first is 384 bits before it.
    __m128i lane = Lane<3>(acc);
    lane = _mm_xor_si128(lane, Fold(Lane<2>(acc), Constants(FoldBy(128))));
    lane = _mm_xor_si128(lane, Fold(Lane<1>(acc), Constants(FoldBy(256))));
    lane = _mm_xor_si128(lane, Fold(Lane<0>(acc), Constants(FoldBy(384))));
    return FinishLane(lane, p, n);
}

} // namespace sumbrook::dcp

#endif
