#pragma once

#include <cctype>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "digest/engine/DCPhash.h"

inline std::span<const std::uint8_t> Bytes(std::string_view s)
{
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

inline std::string Hex(std::span<const std::uint8_t> bytes)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const auto b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

inline std::string FinalHex(sumbrook::TDCP_hash& hash)
{
    std::vector<std::uint8_t> digest(static_cast<std::size_t>(hash.HashSize() / 8));
    hash.Final(digest);
    return Hex(digest);
}

inline std::string DigestHex(sumbrook::TDCP_hash& hash, std::string_view message)
{
    hash.Init();
    hash.Update(Bytes(message));
    return FinalHex(hash);
}

// A test name from an algorithm and a kernel name: letters and digits only.
inline std::string TestName(std::string_view algorithm, std::string_view kernel)
{
    std::string name;
    for (const char c : algorithm)
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    name += '_';
    for (const char c : kernel)
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
    return name;
}
