// SHA-256 on the SHA extensions (SHA256RNDS2, SHA256MSG1, SHA256MSG2).
// Built with -msha -msse4.1 -mssse3; chosen only where the processor has them.

#include "digest/engine/DCPcpu.h"

#if SUMBROOK_DIGEST_X86_64

#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "digest/sha2/DCPsha2_constants.h"

namespace sumbrook::dcp {

void Sha256CompressShaNi(std::span<std::uint32_t, 8> H, std::span<const std::uint8_t> Blocks)
{
    // Big-endian words: reverse the bytes inside each 32-bit lane.
    const __m128i byteSwap = _mm_set_epi64x(0x0C0D0E0F08090A0Bll, 0x0405060700010203ll);

    // SHA256RNDS2 keeps the state as two vectors, {A,B,E,F} and {C,D,G,H},
    // A and C in the top lane.
    const __m128i abcd = _mm_loadu_si128(reinterpret_cast<const __m128i*>(H.data()));
    const __m128i efgh = _mm_loadu_si128(reinterpret_cast<const __m128i*>(H.data() + 4));
    const __m128i badc = _mm_shuffle_epi32(abcd, 0xB1);
    const __m128i hgfe = _mm_shuffle_epi32(efgh, 0x1B);
    __m128i abef = _mm_alignr_epi8(badc, hgfe, 8);
    __m128i cdgh = _mm_blend_epi16(hgfe, badc, 0xF0);

    for (std::size_t at = 0; at < Blocks.size(); at += 64) {
        const auto* in = reinterpret_cast<const __m128i*>(Blocks.data() + at);
        const __m128i abefSaved = abef, cdghSaved = cdgh;
        __m128i m[4];
        for (int i = 0; i < 4; ++i) m[i] = _mm_shuffle_epi8(_mm_loadu_si128(in + i), byteSwap);

            // Sixteen groups of four rounds; from group 4 on, the group's four
            // schedule words replace the oldest four (W[t-16..t-13]) in m.
#pragma GCC unroll 16
        for (int g = 0; g < 16; ++g) {
            __m128i& w = m[g & 3];
            if (g >= 4) {
                const __m128i& w12 = m[(g + 1) & 3]; // W[t-12..t-9]
                const __m128i& w8 = m[(g + 2) & 3];  // W[t-8..t-5]
                const __m128i& w4 = m[(g + 3) & 3];  // W[t-4..t-1]
                w = _mm_sha256msg1_epu32(w, w12);
                w = _mm_add_epi32(w, _mm_alignr_epi8(w4, w8, 4)); // + W[t-7..t-4]
                w = _mm_sha256msg2_epu32(w, w4);
            }
            const __m128i wk = _mm_add_epi32(w, _mm_load_si128(reinterpret_cast<const __m128i*>(kSha256K + 4 * g)));
            // Two rounds turn {A,B,E,F} into the next {C,D,G,H}, so the two
            // variables trade roles for the second pair and trade back.
            cdgh = _mm_sha256rnds2_epu32(cdgh, abef, wk);
            abef = _mm_sha256rnds2_epu32(abef, cdgh, _mm_shuffle_epi32(wk, 0x0E));
        }
        abef = _mm_add_epi32(abef, abefSaved);
        cdgh = _mm_add_epi32(cdgh, cdghSaved);
    }

    const __m128i feba = _mm_shuffle_epi32(abef, 0x1B);
    const __m128i dchg = _mm_shuffle_epi32(cdgh, 0xB1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(H.data()), _mm_blend_epi16(feba, dchg, 0xF0));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(H.data() + 4), _mm_alignr_epi8(dchg, feba, 8));
}

} // namespace sumbrook::dcp

#endif
