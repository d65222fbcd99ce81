#pragma once

// Shared by the CRC-32 kernels: the portable fold, and the constants of the
// carry-less-multiply folds.
//
// A reflected CRC reads each byte least significant bit first, so a 16-byte
// lane loaded little-endian holds a polynomial X(x) of degree < 128 whose
// bit j is the coefficient of x^(127-j): its low 64 bits L are the high
// terms, X = L*x^64 + H. Moving X forward by D bits, onto data D bits later,
// means replacing it by X*x^D = L*x^(D+64) + H*x^D, which modulo P equals
// L*(x^(D+64) mod P) + H*(x^D mod P): two 64x32-bit carry-less products that
// fit a 128-bit lane, to be XORed into the data there. In this bit order the
// product of two 64-bit operands comes out one place too high (bit k stands
// for x^(126-k), not x^(127-k)), so the constants are taken one power lower:
// x^(D+63) mod P for L and x^(D-1) mod P for H, each reflected and put in the
// top 32 bits of its 64-bit half, where bit l stands for x^(63-l).

#include <cstddef>
#include <cstdint>
#include <span>

namespace sumbrook::dcp {

// The table fold, slicing by 8 (CRC32_FCS32.cpp).
std::uint32_t Crc32FoldPortable(std::uint32_t Register, std::span<const std::uint8_t> Data);

// x^k mod P for P(x) = x^32 + 0x04C11DB7, in plain bit order (bit i: x^i).
constexpr std::uint32_t XPowModP(unsigned k)
{
    std::uint32_t r = 1;
    for (unsigned i = 0; i < k; ++i) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
    return r;
}

constexpr std::uint32_t Reflect32(std::uint32_t v)
{
    std::uint32_t r = 0;
    for (int i = 0; i < 32; ++i) r |= ((v >> i) & 1u) << (31 - i);
    return r;
}

static_assert(XPowModP(32) == 0x04C11DB7u && Reflect32(0x04C11DB7u) == 0xEDB88320u);

// The two 64-bit halves of the constant that folds a lane forward by Bits.
struct FoldConstants {
    std::uint64_t ForLow;  // multiplies the lane's low half L
    std::uint64_t ForHigh; // multiplies its high half H
};

constexpr FoldConstants FoldBy(unsigned Bits)
{
    return {std::uint64_t{Reflect32(XPowModP(Bits + 63))} << 32, std::uint64_t{Reflect32(XPowModP(Bits - 1))} << 32};
}

#if defined(__x86_64__) || defined(_M_X64)
// The 128-bit kernel, also the 512-bit kernel's way with short input.
std::uint32_t Crc32FoldPclmul(std::uint32_t Register, std::span<const std::uint8_t> Data);
#endif

} // namespace sumbrook::dcp
