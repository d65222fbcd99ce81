#include "DCPtiger.h"

#include "DCPblock.h"
#include "DCPbytes.h"
#include "DCPdispatch.h"
#include "DCPselftest.h"

namespace sumbrook {

using namespace dcp;

namespace {

using u64 = std::uint64_t;

// Trailer offset: the 64-bit bit length fills bytes 56 to 63.
constexpr std::uint32_t kTrailer = 56;

// One round: c takes the message word, then its even bytes drive a and its
// odd bytes drive b through the S-boxes. The multiplier is a constant at
// every call, so it compiles to a shift-and-add.
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

// One block of 64 bytes at p folded into H.
inline void CompressBlock(std::span<std::uint64_t, 3> H, const std::uint8_t* p)
{
    u64 x0 = LoadLE64(p + 0), x1 = LoadLE64(p + 8);
    u64 x2 = LoadLE64(p + 16), x3 = LoadLE64(p + 24);
    u64 x4 = LoadLE64(p + 32), x5 = LoadLE64(p + 40);
    u64 x6 = LoadLE64(p + 48), x7 = LoadLE64(p + 56);
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

} // namespace

namespace dcp {

void TigerCompressPortable(std::span<std::uint64_t, 3> H, std::span<const std::uint8_t> Blocks)
{
    for (std::size_t at = 0; at < Blocks.size(); at += 64) CompressBlock(H, Blocks.data() + at);
}

namespace {
using TigerCompressor = void (*)(std::span<std::uint64_t, 3>, std::span<const std::uint8_t>);
constexpr Kernel<TigerCompressor> kTigerKernels[] = {
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
