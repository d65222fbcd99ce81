#pragma once

// Eight lanes of 32-bit words in one AVX2 register, as lanes_avx512.h does
// for sixteen. Included only by files compiled for AVX2.

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace sumbrook::dcp {
namespace {

struct Avx2 {
    using V = __m256i;
    static V Add(V x, V y) { return _mm256_add_epi32(x, y); }
    static V Set1(std::uint32_t v) { return _mm256_set1_epi32(static_cast<int>(v)); }
    static V Broadcast(const std::uint32_t* p) { return _mm256_set1_epi32(static_cast<int>(*p)); }
    template <int S>
    static V RotL(V v)
    {
        if constexpr (S == 16) {
            const __m256i halves = _mm256_setr_epi8(2, 3, 0, 1, 6, 7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13, 2, 3, 0, 1, 6,
                                                    7, 4, 5, 10, 11, 8, 9, 14, 15, 12, 13);
            return _mm256_shuffle_epi8(v, halves);
        } else {
            return _mm256_or_si256(_mm256_slli_epi32(v, S), _mm256_srli_epi32(v, 32 - S));
        }
    }
    static V Xor(V x, V y) { return _mm256_xor_si256(x, y); }
    static V And(V x, V y) { return _mm256_and_si256(x, y); }
    static V Ones() { return _mm256_set1_epi32(-1); }
    // RFC 1321's F, G, H, I.
    static V F(V b, V c, V d) { return Xor(d, And(b, Xor(c, d))); }
    static V G(V b, V c, V d) { return _mm256_or_si256(And(b, d), _mm256_andnot_si256(d, c)); }
    static V H(V b, V c, V d) { return Xor(Xor(b, c), d); }
    static V I(V b, V c, V d) { return Xor(c, _mm256_or_si256(b, Xor(d, Ones()))); }
    // FIPS 180-2's Ch, Parity, Maj.
    static V Ch(V b, V c, V d) { return F(b, c, d); }
    static V Parity(V b, V c, V d) { return H(b, c, d); }
    static V Maj(V b, V c, V d) { return _mm256_or_si256(And(b, c), And(d, _mm256_or_si256(b, c))); }
    static V Xor4(V a, V b, V c, V d) { return Xor(Xor(a, b), Xor(c, d)); }
};

// Transposes eight rows of eight words in place: r[j] = word j of every row.
inline void Transpose8(__m256i (&r)[8])
{
    __m256i t[8];
    for (std::size_t g = 0; g < 8; g += 2) {
        t[g] = _mm256_unpacklo_epi32(r[g], r[g + 1]);
        t[g + 1] = _mm256_unpackhi_epi32(r[g], r[g + 1]);
    }
    // u[4h + i]: in each half k, word 4k + i of rows 4h .. 4h + 3.
    __m256i u[8];
    for (std::size_t g = 0; g < 8; g += 4) {
        u[g] = _mm256_unpacklo_epi64(t[g], t[g + 2]);
        u[g + 1] = _mm256_unpackhi_epi64(t[g], t[g + 2]);
        u[g + 2] = _mm256_unpacklo_epi64(t[g + 1], t[g + 3]);
        u[g + 3] = _mm256_unpackhi_epi64(t[g + 1], t[g + 3]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        r[i] = _mm256_permute2x128_si256(u[i], u[4 + i], 0x20);
        r[4 + i] = _mm256_permute2x128_si256(u[i], u[4 + i], 0x31);
    }
}

// x[j] = word j of every lane's block.
inline void LoadTransposed8(__m256i (&x)[16], const std::uint8_t* const* blocks)
{
    __m256i lo[8], hi[8];
    for (std::size_t l = 0; l < 8; ++l) {
        lo[l] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(blocks[l]));
        hi[l] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(blocks[l] + 32));
    }
    Transpose8(lo);
    Transpose8(hi);
    for (std::size_t j = 0; j < 8; ++j) {
        x[j] = lo[j];
        x[8 + j] = hi[j];
    }
}

inline void SwapBytes8(__m256i (&x)[16])
{
    const __m256i order = _mm256_setr_epi8(3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12, 3, 2, 1, 0, 7, 6, 5, 4,
                                           11, 10, 9, 8, 15, 14, 13, 12);
    for (__m256i& v : x) v = _mm256_shuffle_epi8(v, order);
}

// Adds s to the chain of the active lanes.
template <std::size_t Words>
inline void AddToChain8(std::uint32_t* state, const __m256i (&s)[Words], std::uint32_t active)
{
    const __m256i bits = _mm256_setr_epi32(1, 2, 4, 8, 16, 32, 64, 128);
    const __m256i on = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_set1_epi32(static_cast<int>(active)), bits), bits);
    for (std::size_t w = 0; w < Words; ++w) {
        auto* at = reinterpret_cast<__m256i*>(state + 8 * w);
        const __m256i h = _mm256_loadu_si256(at);
        _mm256_storeu_si256(at, _mm256_add_epi32(h, _mm256_and_si256(s[w], on)));
    }
}

template <std::size_t Words>
inline void LoadChain8(__m256i (&s)[Words], const std::uint32_t* state)
{
    for (std::size_t w = 0; w < Words; ++w) s[w] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(state + 8 * w));
}

} // namespace
} // namespace sumbrook::dcp
