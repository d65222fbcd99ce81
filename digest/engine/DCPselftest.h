#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace sumbrook::dcp {

// True when Digest matches the hexadecimal text Hex (two digits per byte).
inline bool DigestEquals(const std::uint8_t* Digest, std::size_t Size, std::string_view Hex)
{
    if (Hex.size() != 2 * Size) return false;
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    for (std::size_t i = 0; i < Size; ++i) {
        const int hi = nibble(Hex[2 * i]);
        const int lo = nibble(Hex[2 * i + 1]);
        if (hi < 0 || lo < 0 || Digest[i] != static_cast<std::uint8_t>(hi * 16 + lo)) return false;
    }
    return true;
}

// Two stored texts and their expected digests in hexadecimal.
struct SelfTestVectors {
    std::string_view Text1, Hex1, Text2, Hex2;
};

// The self-test every digest class runs: both texts against their expected
// digests on a temporary instance; both comparisons are always made.
template <class Hash>
bool RunSelfTest(const SelfTestVectors& v)
{
    Hash hash;
    std::array<std::uint8_t, Hash::ClassHashSize / 8> digest{};
    auto check = [&](std::string_view text, std::string_view hex) {
        hash.Init();
        hash.UpdateStr(text);
        hash.Final(digest);
        return DigestEquals(digest.data(), digest.size(), hex);
    };
    const bool first = check(v.Text1, v.Hex1);
    const bool second = check(v.Text2, v.Hex2);
    return first && second;
}

} // namespace sumbrook::dcp
