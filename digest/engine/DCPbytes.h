#pragma once

// Byte-order loads and stores, rotations and wiping shared by the digests.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace sumbrook::dcp {

inline std::uint32_t ByteSwap(std::uint32_t v)
{
#if defined(_MSC_VER)
    return _byteswap_ulong(v);
#else
    return __builtin_bswap32(v);
#endif
}

inline std::uint64_t ByteSwap(std::uint64_t v)
{
#if defined(_MSC_VER)
    return _byteswap_uint64(v);
#else
    return __builtin_bswap64(v);
#endif
}

inline std::uint32_t LoadLE32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big) v = ByteSwap(v);
    return v;
}

inline std::uint64_t LoadLE64(const std::uint8_t* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::big) v = ByteSwap(v);
    return v;
}

inline std::uint32_t LoadBE32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::little) v = ByteSwap(v);
    return v;
}

inline std::uint64_t LoadBE64(const std::uint8_t* p)
{
    std::uint64_t v;
    std::memcpy(&v, p, 8);
    if constexpr (std::endian::native == std::endian::little) v = ByteSwap(v);
    return v;
}

inline void StoreLE32(std::uint8_t* p, std::uint32_t v)
{
    if constexpr (std::endian::native == std::endian::big) v = ByteSwap(v);
    std::memcpy(p, &v, 4);
}

inline void StoreLE64(std::uint8_t* p, std::uint64_t v)
{
    if constexpr (std::endian::native == std::endian::big) v = ByteSwap(v);
    std::memcpy(p, &v, 8);
}

inline void StoreBE32(std::uint8_t* p, std::uint32_t v)
{
    if constexpr (std::endian::native == std::endian::little) v = ByteSwap(v);
    std::memcpy(p, &v, 4);
}

inline void StoreBE64(std::uint8_t* p, std::uint64_t v)
{
    if constexpr (std::endian::native == std::endian::little) v = ByteSwap(v);
    std::memcpy(p, &v, 8);
}

constexpr std::uint32_t RotL32(std::uint32_t x, int n)
{
    return std::rotl(x, n);
}
constexpr std::uint32_t RotR32(std::uint32_t x, int n)
{
    return std::rotr(x, n);
}
constexpr std::uint64_t RotR64(std::uint64_t x, int n)
{
    return std::rotr(x, n);
}

// The feed-forward at the end of a compression: adds the working variables
// to the chaining value, word by word.
template <class Word, std::size_t Words, class... Vars>
requires(sizeof...(Vars) == Words) inline void AddToChain(std::span<Word, Words> H, Vars... vars)
{
    std::size_t i = 0;
    ((H[i++] += vars), ...);
}

// Zeroes memory in a way the optimiser may not drop, even right before the
// object holding it is released.
inline void Wipe(void* p, std::size_t n)
{
    std::memset(p, 0, n);
#if defined(__GNUC__) || defined(__clang__)
    __asm__ __volatile__("" : : "r"(p) : "memory");
#elif defined(_MSC_VER)
    _ReadWriteBarrier();
#endif
}

template <class T>
inline void WipeObject(T& object)
{
    Wipe(&object, sizeof(object));
}

} // namespace sumbrook::dcp
