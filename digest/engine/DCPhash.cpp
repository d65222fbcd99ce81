#include "digest/engine/DCPhash.h"

#include <algorithm>
#include <array>

namespace sumbrook {

void TDCP_hash::UpdateStream(std::istream& Stream, std::uint64_t Size)
{
    constexpr std::size_t kPiece = 8192;
    std::array<std::uint8_t, kPiece> buffer{};
    auto readInto = [&](std::size_t want) {
        Stream.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(want));
        const auto got = static_cast<std::size_t>(Stream.gcount());
        // A failed or short read leaves the stream unusable for the next
        // piece; clear it so the remaining reads are still made.
        if (!Stream) Stream.clear();
        Update(std::span<const std::uint8_t>(buffer.data(), got));
    };
    for (std::uint64_t i = 0; i < Size / kPiece; ++i) readInto(kPiece);
    if (const auto rest = static_cast<std::size_t>(Size % kPiece); rest != 0) readInto(rest);
}

void TDCP_hash::UpdateStr(std::string_view Str)
{
    Update(std::span(reinterpret_cast<const std::uint8_t*>(Str.data()), Str.size()));
}

void TDCP_hash::UpdateStr(std::u16string_view Str)
{
    if (Str.empty()) {
        Update({});
        return;
    }
    // Feed little-endian code units in bounded pieces so nothing is allocated.
    std::array<std::uint8_t, 512> bytes{};
    while (!Str.empty()) {
        const std::size_t units = std::min(Str.size(), bytes.size() / 2);
        for (std::size_t i = 0; i < units; ++i) {
            bytes[2 * i] = static_cast<std::uint8_t>(Str[i] & 0xFF);
            bytes[2 * i + 1] = static_cast<std::uint8_t>(Str[i] >> 8);
        }
        Update(std::span<const std::uint8_t>(bytes.data(), 2 * units));
        Str.remove_prefix(units);
    }
}

void TDCP_hash::RequireInitialized() const
{
    if (!fInitialized) throw EDCP_hash(std::string(kHashNotInitialized));
}

void TDCP_hash::RequireDigestRoom(std::span<const std::uint8_t> Digest) const
{
    if (Digest.size() < static_cast<std::size_t>(GetHashSize() / 8))
        throw EDCP_hash(std::string(kDigestBufferTooSmall));
}

} // namespace sumbrook
