#pragma once

// The algorithms as checksum files name them: CRC-32 and the catalogue's
// digests under one index, with the names other tools give them.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "digest/engine/DCPcatalogue.h"

namespace sumbrook::cli {

// Catalogue indices for the digests, then CRC-32.
inline constexpr std::size_t kCrc32 = kCatalogueSize;
inline constexpr std::size_t kAlgorithmCount = kCatalogueSize + 1;
using AlgorithmSet = std::array<bool, kAlgorithmCount>;

// The label of the window's result lines ("SHA256", "CRC32_FCS32").
std::string_view ResultLabel(std::size_t algorithm);
// The option that selects it, without "--".
std::string_view OptionName(std::size_t algorithm);
// The tag written in BSD lines ("SHA256", "RMD160", as rhash writes them).
std::string_view BsdTag(std::size_t algorithm);
// Hex digits of its value (8 for CRC-32).
std::size_t HexLength(std::size_t algorithm);

// A tag as coreutils, shasum, rhash or OpenSSL write it, in any case, with
// or without dashes ("SHA-256", "RMD160", "RIPEMD160", "TIGER").
std::optional<std::size_t> AlgorithmOfTag(std::string_view tag);
// A label of the window's result lines.
std::optional<std::size_t> AlgorithmOfLabel(std::string_view label);
// What a checksum file's name says: "x.sha256", "SHA256SUMS", "a.rmd160".
std::optional<std::size_t> AlgorithmOfFileName(std::string_view path);
// The digests a value of that many hex digits may come from.
std::vector<std::size_t> DigestsOfHexLength(std::size_t digits);

} // namespace sumbrook::cli
