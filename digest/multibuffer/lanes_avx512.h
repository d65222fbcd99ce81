#pragma once

// Sixteen lanes of 32-bit words in one AVX-512 register. Included only by
// files compiled for AVX-512; everything here has internal linkage, so no
// instruction of it can reach code that runs elsewhere.

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace sumbrook::dcp {
namespace {

// GCC 12's unmasked forms of these start from an "undefined" register that
// -Wuninitialized reports; the zero-masked forms with every lane on are the
// same instructions.
constexpr __mmask16 kAll = 0xFFFF;
inline __m512i UnpackLo32(__m512i a, __m512i b)
{
    return _mm512_maskz_unpacklo_epi32(kAll, a, b);
}
inline __m512i UnpackHi32(__m512i a, __m512i b)
{
    return _mm512_maskz_unpackhi_epi32(kAll, a, b);
}
inline __m512i UnpackLo64(__m512i a, __m512i b)
{
    return _mm512_maskz_unpacklo_epi64(0xFF, a, b);
}
inline __m512i UnpackHi64(__m512i a, __m512i b)
{
    return _mm512_maskz_unpackhi_epi64(0xFF, a, b);
}
template <int Imm>
inline __m512i Quarters(__m512i a, __m512i b)
{
    return _mm512_maskz_shuffle_i32x4(kAll, a, b, Imm);
}

// vpternlogd's table of f(b, c, d) for b, c, d as its first, second, third operand.
template <class F>
constexpr int Table(F f)
{
    return f(0xF0, 0xCC, 0xAA) & 0xFF;
}

struct Avx512 {
    using V = __m512i;
    static V Add(V x, V y) { return _mm512_add_epi32(x, y); }
    static V Set1(std::uint32_t v) { return _mm512_set1_epi32(static_cast<int>(v)); }
    static V Broadcast(const std::uint32_t* p) { return _mm512_set1_epi32(static_cast<int>(*p)); }
    template <int S>
    static V RotL(V v)
    {
        return _mm512_maskz_rol_epi32(kAll, v, S);
    }
    template <int T>
    static V Tern(V b, V c, V d)
    {
        return _mm512_ternarylogic_epi32(b, c, d, T);
    }
    // RFC 1321's F, G, H, I.
    static V F(V b, V c, V d)
    {
        return Tern<Table([](int x, int y, int z) { return (x & y) | (~x & z); })>(b, c, d);
    }
    static V G(V b, V c, V d)
    {
        return Tern<Table([](int x, int y, int z) { return (x & z) | (y & ~z); })>(b, c, d);
    }
    static V H(V b, V c, V d)
    {
        return Tern<Table([](int x, int y, int z) { return x ^ y ^ z; })>(b, c, d);
    }
    static V I(V b, V c, V d)
    {
        return Tern<Table([](int x, int y, int z) { return y ^ (x | ~z); })>(b, c, d);
    }
    // FIPS 180-2's Ch, Parity, Maj.
    static V Ch(V b, V c, V d) { return F(b, c, d); }
    static V Parity(V b, V c, V d) { return H(b, c, d); }
    static V Maj(V b, V c, V d)
    {
        return Tern<Table([](int x, int y, int z) { return (x & y) | (x & z) | (y & z); })>(b, c, d);
    }
    static V Xor4(V a, V b, V c, V d) { return _mm512_xor_si512(H(a, b, c), d); }
};

// x[j] = word j of every lane's block: sixteen rows of sixteen words
// transposed by pairs of words, of double words, then of 128-bit quarters.
inline void LoadTransposed16(__m512i (&x)[16], const std::uint8_t* const* blocks)
{
    __m512i r[16], t[16];
    for (std::size_t l = 0; l < 16; ++l) r[l] = _mm512_loadu_si512(blocks[l]);
    for (std::size_t g = 0; g < 16; g += 2) {
        t[g] = UnpackLo32(r[g], r[g + 1]);
        t[g + 1] = UnpackHi32(r[g], r[g + 1]);
    }
    // r[4g + i]: in each quarter k, word 4k + i of rows 4g .. 4g + 3.
    for (std::size_t g = 0; g < 16; g += 4) {
        r[g] = UnpackLo64(t[g], t[g + 2]);
        r[g + 1] = UnpackHi64(t[g], t[g + 2]);
        r[g + 2] = UnpackLo64(t[g + 1], t[g + 3]);
        r[g + 3] = UnpackHi64(t[g + 1], t[g + 3]);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const __m512i v0 = Quarters<0x44>(r[i], r[4 + i]);
        const __m512i v1 = Quarters<0xEE>(r[i], r[4 + i]);
        const __m512i v2 = Quarters<0x44>(r[8 + i], r[12 + i]);
        const __m512i v3 = Quarters<0xEE>(r[8 + i], r[12 + i]);
        x[i] = Quarters<0x88>(v0, v2);
        x[4 + i] = Quarters<0xDD>(v0, v2);
        x[8 + i] = Quarters<0x88>(v1, v3);
        x[12 + i] = Quarters<0xDD>(v1, v3);
    }
}

// Reverses the bytes of every word, for big-endian messages.
inline void SwapBytes16(__m512i (&x)[16])
{
    const __m512i order =
        _mm512_maskz_broadcast_i32x4(kAll, _mm_setr_epi8(3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12));
    for (__m512i& v : x) v = _mm512_maskz_shuffle_epi8(~__mmask64{0}, v, order);
}

// Adds s to the chain of the active lanes.
template <std::size_t Words>
inline void AddToChain16(std::uint32_t* state, const __m512i (&s)[Words], std::uint32_t active)
{
    const auto mask = static_cast<__mmask16>(active);
    for (std::size_t w = 0; w < Words; ++w) {
        const __m512i h = _mm512_loadu_si512(state + 16 * w);
        _mm512_storeu_si512(state + 16 * w, _mm512_mask_add_epi32(h, mask, h, s[w]));
    }
}

template <std::size_t Words>
inline void LoadChain16(__m512i (&s)[Words], const std::uint32_t* state)
{
    for (std::size_t w = 0; w < Words; ++w) s[w] = _mm512_loadu_si512(state + 16 * w);
}

} // namespace
} // namespace sumbrook::dcp
