#pragma once

// CRC-32 of IEEE 802.3 (the FCS-32 of HDLC framing): reflected polynomial
// 0xEDB88320, register preset to all ones, result complemented.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "base/byte_source.h"

namespace sumbrook {

namespace detail {
constexpr std::array<std::uint32_t, 256> MakeCrc32Table()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t r = n;
        for (int bit = 0; bit < 8; ++bit) r = (r & 1) ? (r >> 1) ^ 0xEDB88320u : r >> 1;
        table[n] = r;
    }
    return table;
}
} // namespace detail

inline constexpr std::array<std::uint32_t, 256> CRC32Table = detail::MakeCrc32Table();

inline constexpr std::uint32_t kCrc32Preset = 0xFFFFFFFFu;
inline constexpr std::size_t kCrc32BlockSize = 65521;

// Folds Data into the running register (neither preset nor complemented here).
// Gives the same register as one table step per byte, several bytes at a time.
std::uint32_t Crc32Fold(std::uint32_t Register, std::span<const std::uint8_t> Data);

// The byte-at-a-time form of the same fold, the reference for the fast one.
std::uint32_t Crc32FoldBytewise(std::uint32_t Register, std::span<const std::uint8_t> Data);

// CRC-32 of a whole buffer.
inline std::uint32_t Crc32(std::span<const std::uint8_t> Data)
{
    return ~Crc32Fold(kCrc32Preset, Data);
}

enum class Crc32Outcome {
    Checksum,   // Crc holds the checksum of every byte the source delivered
    OpenFailed, // nothing was read
    ReadFailed, // a read failed part-way; the bytes before it are discarded
};

struct Crc32Result {
    Crc32Outcome Outcome;
    std::uint32_t Crc; // meaningful only for Checksum
};

// Reads Source in blocks of kCrc32BlockSize bytes until a read delivers
// nothing, calling BlockRead once per read (the last, empty read included).
// A null Source stands for a file that could not be opened.
Crc32Result Crc32OfSource(TByteSource* Source, const std::function<void()>& BlockRead);

} // namespace sumbrook
