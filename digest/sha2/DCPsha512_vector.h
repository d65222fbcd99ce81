#pragma once

// The body of the vector SHA-384/512 kernels: the message schedule in vector
// registers (two words at a time) and the rounds on BMI rotates (rorx, andn).
// Included by one file per instruction set, each with its own flags; all of
// it has internal linkage, so the copies never mix. With AVX-512 the
// rotations are vprorq and the three-way XORs vpternlogq.

#include <immintrin.h>

#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

#include "digest/sha2/DCPsha2_constants.h"

namespace sumbrook::dcp {

namespace {

using u64 = std::uint64_t;

// One step of FIPS 180-2, 6.3.2, with W[t] + K[t] already summed; the caller
// rotates the argument order instead of moving the eight working variables.
// The sums are arranged for the two recurrences rather than for the fewest
// operations: the new e waits on the previous e only through Ch and Sigma1,
// the new a on the previous a only through Sigma0 and its share of Maj, four
// operations deep each. What comes from four steps back (d, h) and the parts
// of Maj that do not involve a are summed beside them. That is two
// operations per step more than the shortest form (24, not 22); a core with
// five or six integer units runs them alongside, and the chains set the pace.
//   new e = (h + WK + d) + Ch(e, f, g) + Sigma1(e)
//   new a = new e - d + Sigma0(a) + Maj(a, b, c)
// with Ch = (e & f) + (~e & g) and Maj = (a & (b ^ c)) + (b & c): the halves
// of each have no bit in common, so + stands for their OR.
inline void Step(u64 a, u64 b, u64 c, u64& d, u64 e, u64 f, u64 g, u64& h, u64 wk)
{
    const u64 early = h + wk + d;
    const u64 majRest = (b & c) - d;
    const u64 ch = (e & f) + (~e & g);
    const u64 sigma1 = std::rotr(e, 14) ^ std::rotr(e, 18) ^ std::rotr(e, 41);
    const u64 newE = (early + ch) + sigma1;
    const u64 sigma0 = std::rotr(a, 28) ^ std::rotr(a, 34) ^ std::rotr(a, 39);
    h = ((newE + majRest) + (a & (b ^ c))) + sigma0;
    d = newE;
}

#if defined(__AVX512VL__)
inline __m128i Sigma0(__m128i x) // rotr 1 ^ rotr 8 ^ shr 7
{
    return _mm_ternarylogic_epi64(_mm_ror_epi64(x, 1), _mm_ror_epi64(x, 8), _mm_srli_epi64(x, 7), 0x96);
}

inline __m128i Sigma1(__m128i x) // rotr 19 ^ rotr 61 ^ shr 6
{
    return _mm_ternarylogic_epi64(_mm_ror_epi64(x, 19), _mm_ror_epi64(x, 61), _mm_srli_epi64(x, 6), 0x96);
}
#else
inline __m128i Sigma0(__m128i x) // rotr 1 ^ rotr 8 ^ shr 7
{
    const __m128i right =
        _mm_xor_si128(_mm_xor_si128(_mm_srli_epi64(x, 1), _mm_srli_epi64(x, 8)), _mm_srli_epi64(x, 7));
    return _mm_xor_si128(right, _mm_xor_si128(_mm_slli_epi64(x, 63), _mm_slli_epi64(x, 56)));
}

inline __m128i Sigma1(__m128i x) // rotr 19 ^ rotr 61 ^ shr 6
{
    const __m128i right =
        _mm_xor_si128(_mm_xor_si128(_mm_srli_epi64(x, 19), _mm_srli_epi64(x, 61)), _mm_srli_epi64(x, 6));
    return _mm_xor_si128(right, _mm_xor_si128(_mm_slli_epi64(x, 45), _mm_slli_epi64(x, 3)));
}
#endif

// The sliding window of the last sixteen schedule words, as eight pairs.
struct Schedule {
    __m128i P[8];

    // W[t], W[t+1] from W[t-16..t-1]; then the window moves on by two.
    __m128i Next()
    {
        const __m128i w15 = _mm_alignr_epi8(P[1], P[0], 8); // W[t-15], W[t-14]
        const __m128i w7 = _mm_alignr_epi8(P[5], P[4], 8);  // W[t-7], W[t-6]
        const __m128i w = _mm_add_epi64(_mm_add_epi64(Sigma1(P[7]), w7), _mm_add_epi64(Sigma0(w15), P[0]));
        for (int i = 0; i < 7; ++i) P[i] = P[i + 1];
        P[7] = w;
        return w;
    }
};

inline void StoreWK(u64* wk, std::size_t t, __m128i w)
{
    const __m128i k = _mm_load_si128(reinterpret_cast<const __m128i*>(kSha512K + t));
    auto* slot = reinterpret_cast<__m128i*>(wk + t);
    _mm_store_si128(slot, _mm_add_epi64(w, k));
    // The steps are to read these words back from memory, as the operand of
    // an addition. Without this the compiler keeps them in vector registers
    // and moves each one out on its own (vmovq, vpextrq), which costs more.
#if defined(__GNUC__)
    asm("" : "+m"(*slot));
#endif
}

inline void CompressVector(std::span<std::uint64_t, 8> H, std::span<const std::uint8_t> Blocks)
{
    const __m128i byteSwap = _mm_set_epi64x(0x08090A0B0C0D0E0Fll, 0x0001020304050607ll);
    alignas(16) u64 wk[80];

    for (std::size_t at = 0; at < Blocks.size(); at += 128) {
        const auto* in = reinterpret_cast<const __m128i*>(Blocks.data() + at);
        Schedule s;
        for (int i = 0; i < 8; ++i) {
            s.P[i] = _mm_shuffle_epi8(_mm_loadu_si128(in + i), byteSwap);
            StoreWK(wk, 2 * i, s.P[i]);
        }
        u64 a = H[0], b = H[1], c = H[2], d = H[3], e = H[4], f = H[5], g = H[6], h = H[7];

        // Each pair of rounds runs beside the schedule of the pair sixteen
        // words ahead, so the vector work hides under the scalar chain.
#pragma GCC unroll 10
        for (std::size_t t = 0; t < 80; t += 8) {
            if (t + 16 < 80) StoreWK(wk, t + 16, s.Next());
            Step(a, b, c, d, e, f, g, h, wk[t + 0]);
            Step(h, a, b, c, d, e, f, g, wk[t + 1]);
            if (t + 18 < 80) StoreWK(wk, t + 18, s.Next());
            Step(g, h, a, b, c, d, e, f, wk[t + 2]);
            Step(f, g, h, a, b, c, d, e, wk[t + 3]);
            if (t + 20 < 80) StoreWK(wk, t + 20, s.Next());
            Step(e, f, g, h, a, b, c, d, wk[t + 4]);
            Step(d, e, f, g, h, a, b, c, wk[t + 5]);
            if (t + 22 < 80) StoreWK(wk, t + 22, s.Next());
            Step(c, d, e, f, g, h, a, b, wk[t + 6]);
            Step(b, c, d, e, f, g, h, a, wk[t + 7]);
        }

        H[0] += a;
        H[1] += b;
        H[2] += c;
        H[3] += d;
        H[4] += e;
        H[5] += f;
        H[6] += g;
        H[7] += h;
    }
}

} // namespace

} // namespace sumbrook::dcp
