#include "digest/tiger/DCPtiger.h"

#include "digest/engine/DCPbytes.h"
#include "digest/tiger/DCPtiger_compress.h"

namespace sumbrook::dcp {

namespace {

using u64 = std::uint64_t;

// The bytes come from the 32-bit halves, where the second byte of each is
// one move.
inline u64 HalfByte(u64 c, unsigned at)
{
    return (static_cast<std::uint32_t>(c >> (at & 32)) >> (at & 31)) & 0xFF;
}

inline u64 Xor(u64 x, u64 y)
{
    return x ^ y;
}

} // namespace

void TigerCompressPortable(std::span<std::uint64_t, 3> H, std::span<const std::uint8_t> Blocks)
{
    TigerCompressBlocks(H, Blocks,
                        [](u64& a, u64& b, u64& c, u64 x, u64 mul) { TigerRound(a, b, c, x, mul, HalfByte, Xor); });
}

#if SUMBROOK_DIGEST_X86_64
void TigerCompressBmi(std::span<std::uint64_t, 3> H, std::span<const std::uint8_t> Blocks); // DCPtiger_bmi.cpp
#endif

namespace {
constexpr Kernel<Tiger::Table::Function> kKernels[] = {
#if SUMBROOK_DIGEST_X86_64
    {"bmi", &CpuFeatures::Bmi1, &TigerCompressBmi},
#endif
    {kPortableKernel, nullptr, &TigerCompressPortable},
};
constinit Tiger::Table table(kKernels);
} // namespace

Tiger::Table& Tiger::Kernels()
{
    return table;
}

} // namespace sumbrook::dcp
