#pragma once

// The Tiger compression function around a round that each kernel supplies:
// the portable one (DCPtiger.cpp) and the one on BMI1's bit-field extract
// (DCPtiger_bmi.cpp). Everything here has internal linkage, so the copies
// built with different flags never mix; that is also why the word load is
// written out here rather than taken from the shared helpers.

#include <cstddef>
#include <cstdint>
#include <span>

namespace sumbrook::dcp {

extern const std::uint64_t TigerSBox[4][256];

namespace {

using u64 = std::uint64_t;

// Little-endian on any processor; compilers make this one load where they can.
inline u64 LoadWordLE(const std::uint8_t* p)
{
    u64 v = 0;
    for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// One round: c takes the message word, then its even bytes drive a and its
// odd bytes drive b through the S-boxes, and b is multiplied by mul (a
// constant at every call, so a shift-and-add). Byte(c, at) is the byte of c
// from bit at; Pair(x, y) is x ^ y, the way the kernel wants the four
// lookups grouped.
template <class ByteFn, class PairFn>
inline void TigerRound(u64& a, u64& b, u64& c, u64 x, u64 mul, ByteFn Byte, PairFn Pair)
{
    const u64* T1 = TigerSBox[0];
    const u64* T2 = TigerSBox[1];
    const u64* T3 = TigerSBox[2];
    const u64* T4 = TigerSBox[3];
    c ^= x;
    a -= Pair(T1[Byte(c, 0)], T2[Byte(c, 16)]) ^ Pair(T3[Byte(c, 32)], T4[Byte(c, 48)]);
    b += Pair(T4[Byte(c, 8)], T3[Byte(c, 24)]) ^ Pair(T2[Byte(c, 40)], T1[Byte(c, 56)]);
    b *= mul;
}

// Spreads every message word into every other between passes, so no pass
// sees sparse input.
inline void KeySchedule(u64& x0, u64& x1, u64& x2, u64& x3, u64& x4, u64& x5, u64& x6, u64& x7)
{
    x0 -= x7 ^ 0xA5A5A5A5A5A5A5A5;
    x1 ^= x0;
    x2 += x1;
    x3 -= x2 ^ (~x1 << 19);
    x4 ^= x3;
    x5 += x4;
    x6 -= x5 ^ (~x4 >> 23);
    x7 ^= x6;
    x0 += x7;
    x1 -= x0 ^ (~x7 << 19);
    x2 ^= x1;
    x3 += x2;
    x4 -= x3 ^ (~x2 >> 23);
    x5 ^= x4;
    x6 += x5;
    x7 -= x6 ^ 0x0123456789ABCDEF;
}

// Blocks of 64 bytes folded into H; Round(a, b, c, x, mul) is the kernel's
// TigerRound.
template <class RoundFn>
inline void TigerCompressBlocks(std::span<std::uint64_t, 3> H, std::span<const std::uint8_t> Blocks, RoundFn Round)
{
    for (std::size_t at = 0; at < Blocks.size(); at += 64) {
        const std::uint8_t* p = Blocks.data() + at;
        u64 x0 = LoadWordLE(p + 0), x1 = LoadWordLE(p + 8);
        u64 x2 = LoadWordLE(p + 16), x3 = LoadWordLE(p + 24);
        u64 x4 = LoadWordLE(p + 32), x5 = LoadWordLE(p + 40);
        u64 x6 = LoadWordLE(p + 48), x7 = LoadWordLE(p + 56);
        u64 a = H[0], b = H[1], c = H[2];
        const u64 aa = a, bb = b, cc = c;

        // Three passes over (a,b,c), (c,a,b) and (b,c,a) with multipliers 5, 7
        // and 9; within a pass the register roles turn by one each round.
        // clang-format off
        Round(a, b, c, x0, 5); Round(b, c, a, x1, 5); Round(c, a, b, x2, 5); Round(a, b, c, x3, 5);
        Round(b, c, a, x4, 5); Round(c, a, b, x5, 5); Round(a, b, c, x6, 5); Round(b, c, a, x7, 5);
        KeySchedule(x0, x1, x2, x3, x4, x5, x6, x7);
        Round(c, a, b, x0, 7); Round(a, b, c, x1, 7); Round(b, c, a, x2, 7); Round(c, a, b, x3, 7);
        Round(a, b, c, x4, 7); Round(b, c, a, x5, 7); Round(c, a, b, x6, 7); Round(a, b, c, x7, 7);
        KeySchedule(x0, x1, x2, x3, x4, x5, x6, x7);
        Round(b, c, a, x0, 9); Round(c, a, b, x1, 9); Round(a, b, c, x2, 9); Round(b, c, a, x3, 9);
        Round(c, a, b, x4, 9); Round(a, b, c, x5, 9); Round(b, c, a, x6, 9); Round(c, a, b, x7, 9);
        // clang-format on

        H[0] = a ^ aa;
        H[1] = b - bb;
        H[2] = c + cc;
    }
}

} // namespace

} // namespace sumbrook::dcp
