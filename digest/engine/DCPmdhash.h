#pragma once

// The Merkle-Damgard digests written once: the block buffer, the length
// counter, Index, the chaining value and Init/Burn/Update/Final. An algorithm
// supplies its constants and its kernel table; whole blocks of an Update go
// to the kernel straight from the caller's memory, only a partial tail waits
// in HashBuffer.

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// The common frame of an algorithm's constants: its chaining words, block and
// digest size and byte order; the pad byte 0x80, a 64-bit count and no
// trailer fields unless the algorithm says otherwise.
template <class W, std::size_t Words, std::size_t Block, std::size_t Digest, ByteOrder O>
struct MdShape {
    using Word = W;
    using Table = KernelTable<Compressor<W, Words>>;
    static constexpr std::size_t BlockBytes = Block, DigestBytes = Digest, CounterBytes = 8;
    static constexpr ByteOrder Order = O;
    static constexpr std::uint8_t PadByte = 0x80;
    static constexpr std::array<std::uint8_t, 0> Trailer{};
};

// What an algorithm supplies. Trailer holds the bytes that stand between the
// padding and the length count in the last block (HAVAL's version, passes
// and output size); Kernels() its kernel table.
// clang-format off
template <class A>
concept MdAlgorithm =
    (std::same_as<typename A::Word, std::uint32_t> || std::same_as<typename A::Word, std::uint64_t>) &&
    std::convertible_to<decltype(A::Id), std::int32_t> &&
    std::convertible_to<decltype(A::Algorithm), std::string_view> &&
    std::convertible_to<decltype(A::Order), ByteOrder> && std::convertible_to<decltype(A::PadByte), std::uint8_t> &&
    std::convertible_to<decltype(A::SelfTest), SelfTestVectors> && A::DigestBytes % sizeof(typename A::Word) == 0 &&
    A::DigestBytes <= sizeof(A::InitialValue) && A::BlockBytes >= A::Trailer.size() + A::CounterBytes + 1 &&
    (A::CounterBytes == 8 || A::CounterBytes == 16) && requires { A::Kernels().Get(); };
// clang-format on

// The algorithm's kernel table as the listing sees it.
template <MdAlgorithm A>
KernelSlot& SlotOf()
{
    return A::Kernels();
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
    static bool ClassSelfTest() { return dcp::RunSelfTest<TDCP_mdhash>(A::SelfTest); }

    TDCP_mdhash() = default;
    ~TDCP_mdhash() override
    {
        if (fInitialized) Burn();
    }

    std::int32_t GetId() const override { return ClassId; }
    std::string_view GetAlgorithm() const override { return ClassAlgorithm; }
    std::int32_t GetHashSize() const override { return ClassHashSize; }
    bool SelfTest() const override { return ClassSelfTest(); }

    void Init() override
    {
        Burn();
        std::copy(A::InitialValue.begin(), A::InitialValue.end(), CurrentHash);
        fInitialized = true;
    }

    // Plain stores first: the wipes' barrier keeps them even when Burn runs
    // from the destructor, where they would otherwise count as dead.
    void Burn() override
    {
        fInitialized = false;
        Length = {};
        Index = 0;
        dcp::WipeObject(HashBuffer);
        dcp::WipeObject(CurrentHash);
    }

    void Update(std::span<const std::uint8_t> Buffer) override
    {
        RequireInitialized();
        const auto compress = A::Kernels().Get();
        Length.Add(Buffer.size());
        if (Index != 0) {
            const std::size_t room = BlockBytes - Index;
            if (Buffer.size() < room) {
                if (!Buffer.empty()) std::memcpy(HashBuffer + Index, Buffer.data(), Buffer.size());
                Index += static_cast<std::uint32_t>(Buffer.size());
                return;
            }
            std::memcpy(HashBuffer + Index, Buffer.data(), room);
            compress(Chain(), Buffered());
            Buffer = Buffer.subspan(room);
        }
        const std::size_t whole = Buffer.size() - Buffer.size() % BlockBytes;
        if (whole != 0) compress(Chain(), Buffer.first(whole));
        const std::size_t tail = Buffer.size() - whole;
        if (tail != 0) std::memcpy(HashBuffer, Buffer.data() + whole, tail);
        Index = static_cast<std::uint32_t>(tail);
    }

    // The pad byte at Index, zeros (HashBuffer may still hold bytes of earlier
    // blocks past Index), an extra block when the trailer would not fit, then
    // the trailer and the count at the end of the block.
    void Final(std::span<std::uint8_t> Digest) override
    {
        RequireInitialized();
        RequireDigestRoom(Digest);
        const auto compress = A::Kernels().Get();
        constexpr std::size_t counterAt = BlockBytes - A::CounterBytes;
        constexpr std::size_t trailerAt = counterAt - A::Trailer.size();
        HashBuffer[Index] = A::PadByte;
        std::fill(HashBuffer + Index + 1, HashBuffer + BlockBytes, std::uint8_t{0});
        if (Index >= trailerAt) {
            compress(Chain(), Buffered());
            std::fill(HashBuffer, HashBuffer + trailerAt, std::uint8_t{0});
        }
        std::copy(A::Trailer.begin(), A::Trailer.end(), HashBuffer + trailerAt);
        Length.Store(HashBuffer + counterAt, A::Order);
        compress(Chain(), Buffered());
        for (std::size_t i = 0; i < A::DigestBytes / sizeof(Word); ++i)
            dcp::Store(Digest.data() + sizeof(Word) * i, CurrentHash[i], A::Order);
        Burn();
    }

protected:
    dcp::BitCounter<A::CounterBytes> Length;
    std::uint32_t Index = 0;
    Word CurrentHash[A::InitialValue.size()] = {};
    std::uint8_t HashBuffer[BlockBytes] = {};

private:
    std::span<Word, A::InitialValue.size()> Chain() { return CurrentHash; }
    std::span<const std::uint8_t> Buffered() const { return HashBuffer; }
};

} // namespace sumbrook
