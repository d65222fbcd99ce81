#include "digest/tiger/DCPtiger.h"

#include "digest/engine/DCPblock.h"
#include "digest/engine/DCPbytes.h"
#include "digest/engine/DCPdispatch.h"
#include "digest/engine/DCPselftest.h"
#include "digest/tiger/DCPtiger_compress.h"

namespace sumbrook {

using namespace dcp;

namespace {

using u64 = std::uint64_t;

// Trailer offset: the 64-bit bit length fills bytes 56 to 63.
constexpr std::uint32_t kTrailer = 56;

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

namespace dcp {

void TigerCompressPortable(std::span<std::uint64_t, 3> H, std::span<const std::uint8_t> Blocks)
{
    TigerCompressBlocks(H, Blocks,
                        [](u64& a, u64& b, u64& c, u64 x, u64 mul) { TigerRound(a, b, c, x, mul, HalfByte, Xor); });
}

#if SUMBROOK_DIGEST_X86_64
void TigerCompressBmi(std::span<std::uint64_t, 3> H, std::span<const std::uint8_t> Blocks); // DCPtiger_bmi.cpp
#endif

namespace {
using TigerCompressor = void (*)(std::span<std::uint64_t, 3>, std::span<const std::uint8_t>);
constexpr Kernel<TigerCompressor> kTigerKernels[] = {
#if SUMBROOK_DIGEST_X86_64
    {"bmi", &CpuFeatures::Bmi1, &TigerCompressBmi},
#endif
    {kPortableKernel, nullptr, &TigerCompressPortable},
};
constinit KernelTable<TigerCompressor> tigerTable(kTigerKernels);
} // namespace

KernelSlot& TigerSlot()
{
    return tigerTable;
}

} // namespace dcp

bool TDCP_tiger::ClassSelfTest()
{
    return RunSelfTest<TDCP_tiger>("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+-",
                                   "F71C8583902AFB879EDFE610F82C0D4786A3A534504486B5",
                                   "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham",
                                   "8A866829040A410C729AD23F5ADA711603B3CDD357E4C15E");
}

TDCP_tiger::~TDCP_tiger()
{
    if (fInitialized) Burn();
}

void TDCP_tiger::Init()
{
    Burn();
    CurrentHash[0] = 0x0123456789ABCDEF;
    CurrentHash[1] = 0xFEDCBA9876543210;
    CurrentHash[2] = 0xF096A5B4C3B2E187;
    fInitialized = true;
}

void TDCP_tiger::Burn()
{
    fInitialized = false;
    WipeState(Fields());
}

void TDCP_tiger::Update(std::span<const std::uint8_t> Buffer)
{
    RequireInitialized();
    Absorb(Fields(), Buffer, tigerTable.Get());
}

void TDCP_tiger::Final(std::span<std::uint8_t> Digest)
{
    RequireInitialized();
    RequireDigestRoom(Digest);
    // The original Tiger pads with 0x01 (0x80 is the later Tiger2).
    Finish(Fields(), tigerTable.Get(), 0x01, kTrailer,
           [this](std::uint8_t* buffer) { StoreLE64(buffer + kTrailer, Len); });
    StoreWordsLE(Digest, CurrentHash);
    Burn();
}

} // namespace sumbrook
