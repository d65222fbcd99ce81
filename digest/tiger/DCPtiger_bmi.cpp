// Tiger kernel on BMI1 (DCPtiger_compress.h). Built with -mbmi; chosen only
// where the processor has it.

#include "digest/engine/DCPcpu.h"

#if SUMBROOK_DIGEST_X86_64

#include <immintrin.h>

#include "digest/tiger/DCPtiger_compress.h"

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

} // namespace

void TigerCompressBmi(std::span<std::uint64_t, 3> H, std::span<const std::uint8_t> Blocks)
{
    TigerCompressBlocks(H, Blocks,
                        [](u64& a, u64& b, u64& c, u64 x, u64 mul) { TigerRound(a, b, c, x, mul, Byte, Pair); });
}

} // namespace sumbrook::dcp

#endif
