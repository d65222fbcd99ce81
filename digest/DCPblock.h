#pragma once

// The block-buffer discipline shared by every digest: input is copied into
// HashBuffer and compressed from there one full block at a time; Final stores
// the pad byte at Index and spills into an extra block when the trailer
// would not fit.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "DCPbytes.h"

namespace sumbrook::dcp {

// Compress must fold HashBuffer into the chaining value, set Index to 0 and
// zero HashBuffer.
template <std::size_t B, class CompressFn>
inline void AbsorbBlocks(std::uint8_t (&HashBuffer)[B], std::uint32_t& Index,
                         std::span<const std::uint8_t> Buffer, CompressFn&& Compress)
{
    const std::uint8_t* in = Buffer.data();
    std::size_t left = Buffer.size();
    while (left != 0) {
        const std::size_t room = B - Index;
        if (left < room) {
            std::memcpy(HashBuffer + Index, in, left);
            Index += static_cast<std::uint32_t>(left);
            return;
        }
        std::memcpy(HashBuffer + Index, in, room);
        in += room;
        left -= room;
        Compress();
    }
}

// Steps 2 and 3 of Final: pad byte at Index, and an extra block when Index
// has reached the trailer offset T.
template <std::size_t B, class CompressFn>
inline void PadBlock(std::uint8_t (&HashBuffer)[B], std::uint32_t Index, std::uint8_t PadByte,
                     std::size_t T, CompressFn&& Compress)
{
    HashBuffer[Index] = PadByte;
    if (Index >= T) Compress();
}

// A 64-bit bit count kept as two 32-bit halves.
inline void AddBitCount(std::uint32_t& LenHi, std::uint32_t& LenLo, std::size_t Size)
{
    const std::uint64_t bits = static_cast<std::uint64_t>(Size) << 3;
    const auto low = static_cast<std::uint32_t>(bits);
    LenLo += low;
    LenHi += static_cast<std::uint32_t>(bits >> 32) + (LenLo < low ? 1u : 0u);
}

// A 128-bit bit count kept as two 64-bit halves.
inline void AddBitCount(std::uint64_t& LenHi, std::uint64_t& LenLo, std::size_t Size)
{
    const std::uint64_t low = static_cast<std::uint64_t>(Size) << 3;
    LenLo += low;
    LenHi += (static_cast<std::uint64_t>(Size) >> 61) + (LenLo < low ? 1u : 0u);
}

// The first Count chaining words into Digest, in the algorithm's byte order.
template <class Word, std::size_t N>
inline void StoreWordsLE(std::span<std::uint8_t> Digest, const Word (&Words)[N], std::size_t Count = N)
{
    for (std::size_t i = 0; i < Count; ++i) {
        if constexpr (sizeof(Word) == 4)
            StoreLE32(Digest.data() + 4 * i, Words[i]);
        else
            StoreLE64(Digest.data() + 8 * i, Words[i]);
    }
}

template <class Word, std::size_t N>
inline void StoreWordsBE(std::span<std::uint8_t> Digest, const Word (&Words)[N], std::size_t Count = N)
{
    for (std::size_t i = 0; i < Count; ++i) {
        if constexpr (sizeof(Word) == 4)
            StoreBE32(Digest.data() + 4 * i, Words[i]);
        else
            StoreBE64(Digest.data() + 8 * i, Words[i]);
    }
}

// Burn, Update and the frame of Final, written once for every digest class.
// Each class calls them with itself and lets them at its state by declaring
// `friend struct dcp::BlockDiscipline;`.
struct BlockDiscipline {
    // Plain stores first: the wipes' barrier keeps them even when Burn runs
    // from a destructor, where they would otherwise count as dead.
    template <class Hash>
    static void Burn(Hash& h)
    {
        h.fInitialized = false;
        if constexpr (requires { h.Len; })
            h.Len = 0;
        else
            h.LenHi = h.LenLo = 0;
        h.Index = 0;
        WipeObject(h.HashBuffer);
        WipeObject(h.CurrentHash);
    }

    template <class Hash>
    static void Update(Hash& h, std::span<const std::uint8_t> Buffer)
    {
        h.RequireInitialized();
        if constexpr (requires { h.Len; })
            h.Len += static_cast<std::uint64_t>(Buffer.size()) << 3;
        else
            AddBitCount(h.LenHi, h.LenLo, Buffer.size());
        AbsorbBlocks(h.HashBuffer, h.Index, Buffer, [&h] { h.Compress(); });
    }

    // Pad byte at Index, an extra block when the trailer from offset T would
    // not fit, the trailer, the last block, the digest, then Burn.
    template <class Hash, class Trailer, class Output>
    static void Final(Hash& h, std::span<std::uint8_t> Digest, std::uint8_t PadByte, std::size_t T,
                      Trailer&& WriteTrailer, Output&& WriteDigest)
    {
        h.RequireInitialized();
        h.RequireDigestRoom(Digest);
        PadBlock(h.HashBuffer, h.Index, PadByte, T, [&h] { h.Compress(); });
        WriteTrailer();
        h.Compress();
        WriteDigest();
        h.Burn();
    }

    // Final of the 64-byte-block classes with a 64-bit count at byte 56: in
    // little-endian order (MD4, MD5, RIPEMD) or big-endian (SHA-1, SHA-256).
    template <class Hash>
    static void FinalLittleEndian(Hash& h, std::span<std::uint8_t> Digest)
    {
        Final(h, Digest, 0x80, 56,
              [&h] {
                  StoreLE32(h.HashBuffer + 56, h.LenLo);
                  StoreLE32(h.HashBuffer + 60, h.LenHi);
              },
              [&] { StoreWordsLE(Digest, h.CurrentHash); });
    }

    template <class Hash>
    static void FinalBigEndian(Hash& h, std::span<std::uint8_t> Digest)
    {
        Final(h, Digest, 0x80, 56,
              [&h] {
                  StoreBE32(h.HashBuffer + 56, h.LenHi);
                  StoreBE32(h.HashBuffer + 60, h.LenLo);
              },
              [&] { StoreWordsBE(Digest, h.CurrentHash); });
    }
};

} // namespace sumbrook::dcp
