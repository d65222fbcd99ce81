#pragma once

// The functions of TDCP_mdhash. An algorithm's source file includes this,
// defines its MdConstants and instantiates its class there, so no other file
// needs the constants, and no kernel file built with instruction-set flags
// makes a copy of these functions.

#include <algorithm>
#include <cstring>

#include "digest/engine/DCPmdhash.h"

namespace sumbrook {

namespace dcp {

// clang-format off
template <class A>
concept MdConstantsFor =
    std::convertible_to<decltype(MdConstants<A>::SelfTest), SelfTestVectors> &&
    std::convertible_to<decltype(MdConstants<A>::Kernels), std::span<const Kernel<typename A::CompressFunction>>> &&
    MdConstants<A>::InitialValue.size() == A::ChainWords;
// clang-format on

template <class A>
constexpr std::uint8_t PadByteOf()
{
    if constexpr (requires { MdConstants<A>::PadByte; })
        return MdConstants<A>::PadByte;
    else
        return 0x80;
}

template <class A>
constexpr auto TrailerOf()
{
    if constexpr (requires { MdConstants<A>::Trailer; })
        return MdConstants<A>::Trailer;
    else
        return std::array<std::uint8_t, 0>{};
}

} // namespace dcp

template <dcp::MdAlgorithm A>
bool TDCP_mdhash<A>::ClassSelfTest()
{
    return dcp::RunSelfTest<TDCP_mdhash>(dcp::MdConstants<A>::SelfTest);
}

template <dcp::MdAlgorithm A>
typename TDCP_mdhash<A>::Table& TDCP_mdhash<A>::Kernels()
{
    static_assert(dcp::MdConstantsFor<A>);
    static constinit Table table{dcp::MdConstants<A>::Kernels};
    return table;
}

template <dcp::MdAlgorithm A>
dcp::KernelSlot& TDCP_mdhash<A>::KernelChoice()
{
    return Kernels();
}

template <dcp::MdAlgorithm A>
void TDCP_mdhash<A>::Init()
{
    Burn();
    const auto& initial = dcp::MdConstants<A>::InitialValue;
    std::copy(initial.begin(), initial.end(), CurrentHash);
    fInitialized = true;
}

// Plain stores first: the wipes' barrier keeps them even when Burn runs from
// the destructor, where they would otherwise count as dead.
template <dcp::MdAlgorithm A>
void TDCP_mdhash<A>::Burn()
{
    fInitialized = false;
    Length = {};
    Index = 0;
    dcp::WipeObject(HashBuffer);
    dcp::WipeObject(CurrentHash);
}

// Whole blocks go to the kernel straight from the caller's memory; only a
// partial tail waits in HashBuffer.
template <dcp::MdAlgorithm A>
void TDCP_mdhash<A>::Update(std::span<const std::uint8_t> Buffer)
{
    RequireInitialized();
    const auto compress = Kernels().Get();
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
// blocks past Index), an extra block when the trailer would not fit, then the
// trailer and the count at the end of the block.
template <dcp::MdAlgorithm A>
void TDCP_mdhash<A>::Final(std::span<std::uint8_t> Digest)
{
    RequireInitialized();
    RequireDigestRoom(Digest);
    const auto compress = Kernels().Get();
    constexpr auto trailer = dcp::TrailerOf<A>();
    static_assert(BlockBytes >= trailer.size() + A::CounterBytes + 1);
    constexpr std::size_t counterAt = BlockBytes - A::CounterBytes;
    constexpr std::size_t trailerAt = counterAt - trailer.size();
    HashBuffer[Index] = dcp::PadByteOf<A>();
    std::fill(HashBuffer + Index + 1, HashBuffer + BlockBytes, std::uint8_t{0});
    if (Index >= trailerAt) {
        compress(Chain(), Buffered());
        std::fill(HashBuffer, HashBuffer + trailerAt, std::uint8_t{0});
    }
    std::copy(trailer.begin(), trailer.end(), HashBuffer + trailerAt);
    Length.Store(HashBuffer + counterAt, A::Order);
    compress(Chain(), Buffered());
    for (std::size_t i = 0; i < A::DigestBytes / sizeof(Word); ++i)
        dcp::Store(Digest.data() + sizeof(Word) * i, CurrentHash[i], A::Order);
    Burn();
}

} // namespace sumbrook
