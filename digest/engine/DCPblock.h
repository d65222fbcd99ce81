#pragma once

// The block-buffer discipline shared by every digest. An algorithm supplies
// only a compression function over whole blocks; the discipline owns Index,
// the length counter and HashBuffer. Whole blocks of an Update go to the
// compressor straight from the caller's memory, only a partial tail waits in
// HashBuffer, and the state is wiped once, by Burn.

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "digest/engine/DCPbytes.h"

namespace sumbrook::dcp {

// A 64-bit bit count kept as two 32-bit halves.
struct BitCount64 {
    std::uint32_t& Hi;
    std::uint32_t& Lo;

    void Add(std::size_t Bytes) const
    {
        const std::uint64_t bits = static_cast<std::uint64_t>(Bytes) << 3;
        const auto low = static_cast<std::uint32_t>(bits);
        Lo += low;
        Hi += static_cast<std::uint32_t>(bits >> 32) + (Lo < low ? 1u : 0u);
    }
    void Clear() const { Hi = Lo = 0; }
};

// A 128-bit bit count kept as two 64-bit halves.
struct BitCount128 {
    std::uint64_t& Hi;
    std::uint64_t& Lo;

    void Add(std::size_t Bytes) const
    {
        const std::uint64_t low = static_cast<std::uint64_t>(Bytes) << 3;
        Lo += low;
        Hi += (static_cast<std::uint64_t>(Bytes) >> 61) + (Lo < low ? 1u : 0u);
    }
    void Clear() const { Hi = Lo = 0; }
};

// A 64-bit bit count in one word.
struct BitCountWord {
    std::uint64_t& Len;

    void Add(std::size_t Bytes) const { Len += static_cast<std::uint64_t>(Bytes) << 3; }
    void Clear() const { Len = 0; }
};

// The fields of a digest class the discipline works on, by reference.
template <class WordT, std::size_t Words, std::size_t Block, class Counter>
struct BlockState {
    using Word = WordT;
    static constexpr std::size_t kWords = Words;
    static constexpr std::size_t kBlock = Block;
    // Folds Blocks, a whole number of blocks, into the chaining value.
    using Compressor = void (*)(std::span<Word, Words> State, std::span<const std::uint8_t> Blocks);

    Counter Length;
    std::uint32_t& Index;
    Word (&CurrentHash)[Words];
    std::uint8_t (&HashBuffer)[Block];

    std::span<Word, Words> Chain() const { return std::span<Word, Words>(CurrentHash); }
    std::span<const std::uint8_t> Buffered() const { return std::span<const std::uint8_t>(HashBuffer); }
};

template <class S>
concept BlockStateView = requires(const S s, std::size_t n) {
    typename S::Word;
    typename S::Compressor;
    { S::kBlock } -> std::convertible_to<std::size_t>;
    s.Length.Add(n);
    s.Length.Clear();
    { s.Index } -> std::same_as<std::uint32_t&>;
    { s.CurrentHash } -> std::same_as<typename S::Word (&)[S::kWords]>;
    { s.HashBuffer } -> std::same_as<std::uint8_t (&)[S::kBlock]>;
};

template <BlockStateView S>
inline void Absorb(const S& s, std::span<const std::uint8_t> Buffer, typename S::Compressor Compress)
{
    constexpr std::size_t B = S::kBlock;
    s.Length.Add(Buffer.size());
    if (s.Index != 0) {
        const std::size_t room = B - s.Index;
        if (Buffer.size() < room) {
            if (!Buffer.empty()) std::memcpy(s.HashBuffer + s.Index, Buffer.data(), Buffer.size());
            s.Index += static_cast<std::uint32_t>(Buffer.size());
            return;
        }
        std::memcpy(s.HashBuffer + s.Index, Buffer.data(), room);
        Compress(s.Chain(), s.Buffered());
        Buffer = Buffer.subspan(room);
        s.Index = 0;
    }
    const std::size_t whole = Buffer.size() - Buffer.size() % B;
    if (whole != 0) Compress(s.Chain(), Buffer.first(whole));
    const std::size_t tail = Buffer.size() - whole;
    if (tail != 0) std::memcpy(s.HashBuffer, Buffer.data() + whole, tail);
    s.Index = static_cast<std::uint32_t>(tail);
}

// The last block or two: the pad byte at Index, zeros, an extra block when
// the trailer from offset T would not fit, then the trailer that
// WriteTrailer(HashBuffer) stores from T on. HashBuffer may still hold bytes
// of earlier blocks past Index, so the zeros are written here.
template <BlockStateView S, class Trailer>
inline void Finish(const S& s, typename S::Compressor Compress, std::uint8_t PadByte, std::size_t T,
                   Trailer&& WriteTrailer)
{
    constexpr std::size_t B = S::kBlock;
    std::uint8_t* buffer = s.HashBuffer;
    const std::size_t index = s.Index;
    buffer[index] = PadByte;
    std::fill(buffer + index + 1, buffer + B, std::uint8_t{0});
    if (index >= T) {
        Compress(s.Chain(), s.Buffered());
        std::fill(buffer, buffer + T, std::uint8_t{0});
    }
    WriteTrailer(s.HashBuffer);
    Compress(s.Chain(), s.Buffered());
}

// Finish of the 64-byte-block digests with a 64-bit count at byte 56, in
// little-endian order (MD4, MD5, RIPEMD) or big-endian (SHA-1, SHA-256).
template <BlockStateView S>
inline void FinishLittleEndian(const S& s, typename S::Compressor Compress)
{
    Finish(s, Compress, 0x80, 56, [&s](std::uint8_t* buffer) {
        StoreLE32(buffer + 56, s.Length.Lo);
        StoreLE32(buffer + 60, s.Length.Hi);
    });
}

template <BlockStateView S>
inline void FinishBigEndian(const S& s, typename S::Compressor Compress)
{
    Finish(s, Compress, 0x80, 56, [&s](std::uint8_t* buffer) {
        StoreBE32(buffer + 56, s.Length.Hi);
        StoreBE32(buffer + 60, s.Length.Lo);
    });
}

// Plain stores first: the wipes' barrier keeps them even when Burn runs from
// a destructor, where they would otherwise count as dead.
template <BlockStateView S>
inline void WipeState(const S& s)
{
    s.Length.Clear();
    s.Index = 0;
    WipeObject(s.HashBuffer);
    WipeObject(s.CurrentHash);
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

} // namespace sumbrook::dcp
