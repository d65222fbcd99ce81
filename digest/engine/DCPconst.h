#pragma once

#include <cstdint>

namespace sumbrook {

// Algorithm identifiers: the Id each digest class answers.
inline constexpr std::int32_t DCP_sha1 = 2;
inline constexpr std::int32_t DCP_ripemd160 = 10;
inline constexpr std::int32_t DCP_haval = 14;
inline constexpr std::int32_t DCP_md5 = 16;
inline constexpr std::int32_t DCP_md4 = 17;
inline constexpr std::int32_t DCP_tiger = 18;
inline constexpr std::int32_t DCP_ripemd128 = 27;
inline constexpr std::int32_t DCP_sha256 = 28;
inline constexpr std::int32_t DCP_sha384 = 29;
inline constexpr std::int32_t DCP_sha512 = 30;

} // namespace sumbrook
