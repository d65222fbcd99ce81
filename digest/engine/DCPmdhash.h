#pragma once

// The Merkle-Damgard digests written once: the block buffer, the length
// counter, Index, the chaining value and Init/Burn/Update/Final. An
// algorithm's header gives its shape; its source file its constants and
// kernels, and there the class's functions are made (DCPmdhash_impl.h).

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "digest/engine/DCPbytes.h"
#include "digest/engine/DCPdispatch.h"
#include "digest/engine/DCPhash.h"
#include "digest/engine/DCPselftest.h"

namespace sumbrook {

namespace dcp {

enum class ByteOrder {
    Little,
    Big
};

// Folds Blocks, a whole number of blocks, into the chaining value.
template <class Word, std::size_t Words>
using Compressor = void (*)(std::span<Word, Words> State, std::span<const std::uint8_t> Blocks);

template <class Word>
inline void Store(std::uint8_t* p, Word v, ByteOrder order)
{
    if constexpr (sizeof(Word) == 4)
        order == ByteOrder::Little ? StoreLE32(p, v) : StoreBE32(p, v);
    else
        order == ByteOrder::Little ? StoreLE64(p, v) : StoreBE64(p, v);
}

// The message length in bits, 64 or 128 bits wide; it wraps at that width.
template <std::size_t Bytes>
struct BitCounter;

template <>
struct BitCounter<8> {
    std::uint64_t Len = 0;

    void Add(std::size_t bytes) { Len += static_cast<std::uint64_t>(bytes) << 3; }
    void Store(std::uint8_t* at, ByteOrder order) const { dcp::Store(at, Len, order); }
};

template <>
struct BitCounter<16> {
    std::uint64_t LenHi = 0;
    std::uint64_t LenLo = 0;

    void Add(std::size_t bytes)
    {
        const std::uint64_t low = static_cast<std::uint64_t>(bytes) << 3;
        LenLo += low;
        LenHi += (static_cast<std::uint64_t>(bytes) >> 61) + (LenLo < low ? 1u : 0u);
    }
    void Store(std::uint8_t* at, ByteOrder order) const
    {
        const bool little = order == ByteOrder::Little;
        dcp::Store(at, little ? LenLo : LenHi, order);
        dcp::Store(at + 8, little ? LenHi : LenLo, order);
    }
};

// A string literal as a template argument: an algorithm's name.
template <std::size_t N>
struct NameLiteral {
    char Text[N]{};
    constexpr NameLiteral(const char (&text)[N]) { std::copy_n(text, N, Text); }
    constexpr std::string_view View() const { return {Text, N - 1}; }
};

// What a digest class is laid out from: the word and how many of them chain,
// block and digest size, byte order, the class's Id and algorithm name, and
// the width of the length count (64 bits unless the algorithm says 128).
template <class W, std::size_t Words, std::size_t Block, std::size_t Digest, ByteOrder O, std::int32_t ClassId,
          NameLiteral Name, std::size_t Counter = 8>
struct MdShape {
    using Word = W;
    using CompressFunction = Compressor<W, Words>;
    static constexpr std::size_t ChainWords = Words, BlockBytes = Block, DigestBytes = Digest, CounterBytes = Counter;
    static constexpr ByteOrder Order = O;
    static constexpr std::int32_t Id = ClassId;
    static constexpr std::string_view Algorithm = Name.View();
};

// clang-format off
template <class A>
concept MdAlgorithm =
    (std::same_as<typename A::Word, std::uint32_t> || std::same_as<typename A::Word, std::uint64_t>) &&
    std::convertible_to<decltype(A::Id), std::int32_t> &&
    std::convertible_to<decltype(A::Algorithm), std::string_view> && std::convertible_to<decltype(A::Order), ByteOrder> &&
    A::DigestBytes % sizeof(typename A::Word) == 0 && A::DigestBytes <= A::ChainWords * sizeof(typename A::Word) &&
    (A::CounterBytes == 8 || A::CounterBytes == 16);
// clang-format on

// What an algorithm's source file supplies beside its rounds: InitialValue,
// the SelfTest vectors, Kernels (its compressions, fastest first) and, where
// they differ from 0x80 and nothing, its PadByte and its Trailer: the bytes
// between the padding and the length count in the last block (HAVAL's
// version, passes and output size). Only that file sees them, and it
// instantiates the class (DCPmdhash_impl.h).
template <MdAlgorithm A>
struct MdConstants;

// A compression that takes whole blocks, made of one that folds a single
// block at p.
template <auto CompressBlock, std::size_t BlockBytes, class Word, std::size_t Words>
void EachBlock(std::span<Word, Words> H, std::span<const std::uint8_t> Blocks)
{
    for (std::size_t at = 0; at < Blocks.size(); at += BlockBytes) CompressBlock(H, Blocks.data() + at);
}

} // namespace dcp

template <dcp::MdAlgorithm A>
class TDCP_mdhash : public TDCP_hash {
public:
    using Traits = A;
    using Word = typename A::Word;
    static constexpr std::size_t BlockBytes = A::BlockBytes;

    static constexpr std::int32_t ClassId = A::Id;
    static constexpr std::string_view ClassAlgorithm = A::Algorithm;
    static constexpr std::int32_t ClassHashSize = static_cast<std::int32_t>(8 * A::DigestBytes);
    static bool ClassSelfTest();
    // The algorithm's kernel choice, for the listing and the tests.
    static dcp::KernelSlot& KernelChoice();

    TDCP_mdhash() = default;
    ~TDCP_mdhash() override
    {
        if (fInitialized) Burn();
    }

    std::int32_t GetId() const override { return ClassId; }
    std::string_view GetAlgorithm() const override { return ClassAlgorithm; }
    std::int32_t GetHashSize() const override { return ClassHashSize; }
    bool SelfTest() const override { return ClassSelfTest(); }

    void Init() override;
    void Burn() override;
    void Update(std::span<const std::uint8_t> Buffer) override;
    void Final(std::span<std::uint8_t> Digest) override;

protected:
    dcp::BitCounter<A::CounterBytes> Length;
    std::uint32_t Index = 0;
    Word CurrentHash[A::ChainWords] = {};
    std::uint8_t HashBuffer[BlockBytes] = {};

private:
    using Table = dcp::KernelTable<typename A::CompressFunction>;
    static Table& Kernels();
    std::span<Word, A::ChainWords> Chain() { return CurrentHash; }
    std::span<const std::uint8_t> Buffered() const { return HashBuffer; }
};

} // namespace sumbrook
