// SHA-1 on the SHA extensions (SHA1RNDS4, SHA1NEXTE, SHA1MSG1, SHA1MSG2).
// Built with -msha -msse4.1 -mssse3; chosen only where the processor has them.

#include "digest/engine/DCPcpu.h"

#if SUMBROOK_DIGEST_X86_64

#include <immintrin.h>

#include <cstddef>
#include <cstdint>
#include <span>

namespace sumbrook::dcp {

namespace {

// SHA1RNDS4 takes the round function and constant as an immediate: 0 for
// rounds 0-19 (Ch), 1 for 20-39 (Parity), 2 for 40-59 (Maj), 3 for 60-79.
template <int F>
inline __m128i Rounds4(__m128i abcd, __m128i ew)
{
    return _mm_sha1rnds4_epu32(abcd, ew, F);
}

} // namespace

void Sha1CompressShaNi(std::span<std::uint32_t, 5> H, std::span<const std::uint8_t> Blocks)
{
    // The instructions keep A (and W[t]) in the top lane: reverse all 16 bytes.
    const __m128i byteSwap = _mm_set_epi64x(0x0001020304050607ll, 0x08090A0B0C0D0E0Fll);

    __m128i abcd = _mm_shuffle_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(H.data())), 0x1B);
    __m128i e = _mm_set_epi32(static_cast<int>(H[4]), 0, 0, 0);

    for (std::size_t at = 0; at < Blocks.size(); at += 64) {
        const auto* in = reinterpret_cast<const __m128i*>(Blocks.data() + at);
        const __m128i abcdSaved = abcd, eSaved = e;
        __m128i m[4];
        for (int i = 0; i < 4; ++i) m[i] = _mm_shuffle_epi8(_mm_loadu_si128(in + i), byteSwap);

        // Twenty groups of four rounds. E of a group is A of the group before
        // last rotated by 30, which SHA1NEXTE adds to the group's first word.
        __m128i before = abcd;
        __m128i ew = _mm_add_epi32(e, m[0]);
#pragma GCC unroll 20
        for (int g = 0; g < 20; ++g) {
            if (g > 0) {
                __m128i& w = m[g & 3];
                if (g >= 4) {
                    // W[t] = rotl1(W[t-3] ^ W[t-8] ^ W[t-14] ^ W[t-16])
                    w = _mm_sha1msg1_epu32(w, m[(g + 1) & 3]);
                    w = _mm_xor_si128(w, m[(g + 2) & 3]);
                    w = _mm_sha1msg2_epu32(w, m[(g + 3) & 3]);
                }
                ew = _mm_sha1nexte_epu32(before, w);
                before = abcd;
            }
            switch (g / 5) {
            case 0: abcd = Rounds4<0>(abcd, ew); break;
            case 1: abcd = Rounds4<1>(abcd, ew); break;
            case 2: abcd = Rounds4<2>(abcd, ew); break;
            default: abcd = Rounds4<3>(abcd, ew); break;
            }
        }
        e = _mm_sha1nexte_epu32(before, eSaved);
        abcd = _mm_add_epi32(abcd, abcdSaved);
    }

    _mm_storeu_si128(reinterpret_cast<__m128i*>(H.data()), _mm_shuffle_epi32(abcd, 0x1B));
    H[4] = static_cast<std::uint32_t>(_mm_extract_epi32(e, 3));
}

} // namespace sumbrook::dcp

#endif
