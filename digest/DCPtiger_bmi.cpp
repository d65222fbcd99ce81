// Tiger kernel on BMI1 (DCPtiger_compress.h). Built with -mbmi; chosen only
// where the processor has it.

#include "DCPcpu.h"

#if SUMBROOK_DIGEST_X86_64

#include <immintrin.h>

#include "DCPtiger_compress.h"

namespace sumbrook::dcp {

namespace {

// The chain that limits Tiger runs from c through its even bytes, four
// lookups and two XORs into a, which is the next round's c. bextr takes any
// byte out in one operation, where a shift and a zero-extend take two.
inline u64 Byte(u64 c, unsigned at)
{
    return _bextr_u64(c, at, 8);
}

// Two lookups XORed as a pair. The compiler would otherwise make one chain of
// the four XORs, which waits three deep after the last lookup instead of two.
inline u64 Pair(u64 x, u64 y)
{
    u64 both = x ^ y;
#if defined(__GNUC__)
    asm("" : "+r"(both));
#endif
    return both;
}

inline void Round(u64& a, u64& b, u64& c, u64 x, u64 mul)
{
    const u64* T1 = TigerSBox[0];
    const u64* T2 = TigerSBox[1];
    const u64* T3 = TigerSBox[2];
    const u64* T4 = TigerSBox[3];
    c ^= x;
    a -= Pair(T1[Byte(c, 0)], T2[Byte(c, 16)]) ^ Pair(T3[Byte(c, 32)], T4[Byte(c, 48)]);
    b += Pair(T4[Byte(c, 8)], T3[Byte(c, 24)]) ^ Pair(T2[Byte(c, 40)], T1[c >> 56]);
    b *= mul;
}

} // namespace

void TigerCompressBmi(std::span<std::uint64_t, 3> H, std::span<const std::uint8_t> Blocks)
{
    TigerCompressBlocks(H, Blocks, [](u64& a, u64& b, u64& c, u64 x, u64 mul) { Round(a, b, c, x, mul); });
}

} // namespace sumbrook::dcp

#endif
