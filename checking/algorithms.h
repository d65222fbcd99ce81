#pragma once

// The algorithms as sumbrook-cli names them: its options, the tags of BSD
// lines and the names other tools give them, keyed by AlgorithmId.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "digest/engine/algorithm.h"

namespace sumbrook::checking {

// What is computed when no algorithm option is given.
inline constexpr AlgorithmSet kDefaultAlgorithms = {AlgorithmId::Sha1, AlgorithmId::Md5};
// --all: the window's algorithms, whose lines it prints; the published
// HAVAL-256/5 only when asked for by name.
inline constexpr AlgorithmSet kWindowAlgorithms = [] {
    AlgorithmSet set = AlgorithmSet::All();
    set.Erase(AlgorithmId::HavalPublished);
    return set;
}();

// The option that selects it, without "--".
std::string_view OptionName(AlgorithmId algorithm);
// The tag written in BSD lines ("SHA256", "RMD160", as rhash writes them).
std::string_view BsdTag(AlgorithmId algorithm);
// Hex digits of its value (8 for CRC-32).
std::size_t HexLength(AlgorithmId algorithm);

// A tag as coreutils, shasum, rhash or OpenSSL write it, in any case, with
// or without dashes ("SHA-256", "RMD160", "RIPEMD160", "TIGER").
std::optional<AlgorithmId> AlgorithmOfTag(std::string_view tag);
// A label of the window's result lines, in any case.
std::optional<AlgorithmId> AlgorithmOfLabel(std::string_view label);
// What a checksum file's name says: "x.sha256", "SHA256SUMS", "a.rmd160".
std::optional<AlgorithmId> AlgorithmOfFileName(std::string_view path);
// The digests a value of that many hex digits may come from.
std::vector<AlgorithmId> DigestsOfHexLength(std::size_t digits);
// The one the usual tools write at a length several digests share: md5sum
// at 32, sha1sum at 40, sha256sum at 64 (sha384sum, sha512sum, and the
// lengths no other digest has, follow from the length alone).
std::optional<AlgorithmId> UsualOfHexLength(std::size_t digits);

} // namespace sumbrook::checking
