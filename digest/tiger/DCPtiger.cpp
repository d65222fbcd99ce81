#include "digest/tiger/DCPtiger.h"

#include "digest/engine/DCPbytes.h"
#include "digest/engine/DCPmdhash_impl.h"
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

template <>
struct MdConstants<TDCP_tiger::Traits> {
    static constexpr std::uint8_t PadByte = 0x01; // Tiger2's is 0x80
    static constexpr std::array<std::uint64_t, 3> InitialValue{0x0123456789ABCDEF, 0xFEDCBA9876543210,
                                                               0xF096A5B4C3B2E187};
    static constexpr SelfTestVectors SelfTest{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-",
                                              "F71C8583902AFB879EDFE610F82C0D4786A3A534504486B5",
                                              "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham",
                                              "8A866829040A410C729AD23F5ADA711603B3CDD357E4C15E"};
    static constexpr Kernel<TDCP_tiger::Traits::CompressFunction> Kernels[] = {
#if SUMBROOK_DIGEST_X86_64
        {"bmi", &CpuFeatures::Bmi1, &TigerCompressBmi},
#endif
        {kPortableKernel, nullptr, &TigerCompressPortable},
    };
};

} // namespace sumbrook::dcp

template class sumbrook::TDCP_mdhash<sumbrook::TDCP_tiger::Traits>;
