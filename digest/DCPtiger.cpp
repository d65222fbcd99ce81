#include "DCPtiger.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPdispatch.h"
#include "DCPselftest.h"
#include "DCPtiger_compress.h"

namespace sumbrook {

using namespace dcp;

namespace {

using u64 = std::uint64_t;

// Trailer offset: the 64-bit bit length fills bytes 56 to 63.
constexpr std::uint32_t kTrailer = 56;

// One round (see TigerCompressBlocks). The multiplier is a constant at every
// call, so it compiles to a shift-and-add.
inline void Round(u64& a, u64& b, u64& c, u64 x, u64 mul)
{
    const u64* T1 = TigerSBox[0];
    const u64* T2 = TigerSBox[1];
    const u64* T3 = TigerSBox[2];
    const u64* T4 = TigerSBox[3];
    c ^= x;
    // The lookups pair up in two XORs deep, not three, and the bytes come
    // from the 32-bit halves, where the second byte of each is one move.
    const auto lo = static_cast<std::uint32_t>(c), hi = static_cast<std::uint32_t>(c >> 32);
    a -= (T1[lo & 0xFF] ^ T2[(lo >> 16) & 0xFF]) ^ (T3[hi & 0xFF] ^ T4[(hi >> 16) & 0xFF]);
    b += (T4[(lo >> 8) & 0xFF] ^ T3[lo >> 24]) ^ (T2[(hi >> 8) & 0xFF] ^ T1[hi >> 24]);
    b *= mul;
}

} // namespace

namespace dcp {

void TigerCompressPortable(std::span<std::uint64_t, 3> H, std::span<const std::uint8_t> Blocks)
{
    TigerCompressBlocks(H, Blocks, [](u64& a, u64& b, u64& c, u64 x, u64 mul) { Round(a, b, c, x, mul); });
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
