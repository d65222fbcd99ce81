#pragma once

// The fixed list of the ten digests the program offers, in the order of the
// selection list, with the names each is shown under.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "digest/engine/DCPhash.h"
#include "digest/engine/algorithm.h"

namespace sumbrook {

// A digest of the list: its class's id, algorithm name and size, the label
// of its result lines, and how to make an instance. The identity the rest
// of the program uses is its AlgorithmId.
struct TCatalogueEntry {
    AlgorithmId Algorithm;
    std::int32_t Id;
    std::string_view AlgorithmName; // the class's algorithm name
    std::int32_t HashSize;          // bits
    std::string_view DisplayName;   // label of the result lines
    std::unique_ptr<TDCP_hash> (*Create)();
};

inline constexpr std::size_t kCatalogueSize = 10;

const std::array<TCatalogueEntry, kCatalogueSize>& AlgorithmCatalogue();

// The label of a digest's result lines: the algorithm name, except the two
// long names that are shortened. The comparison is on the whole name.
std::string_view DisplayName(std::string_view Algorithm);

} // namespace sumbrook
