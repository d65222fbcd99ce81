#pragma once

// The fixed list of the ten digests the program offers, in the order of the
// selection list, with the names each is shown under.

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>

#include "digest/engine/DCPhash.h"

namespace sumbrook {

namespace dcp {
class KernelSlot;
}

struct TCatalogueEntry {
    std::string_view Component;   // the window's name for its instance
    std::int32_t Id;
    std::string_view Algorithm;   // the class's algorithm name
    std::int32_t HashSize;        // bits
    std::string_view DisplayName; // label of the result lines
    std::string_view MenuItem;    // the selection menu item tied to this entry
    std::string_view MenuCaption; // that item's text
    std::string_view Option;      // the command-line option that selects it, without "--"
    bool SelectedAtStart;         // ticked when the program starts
    double MBPerSecond;           // one core of the build machine, fastest kernel: to share work out by cost
    std::unique_ptr<TDCP_hash> (*Create)();
    // The algorithm's kernel choice (SHA-384 and SHA-512 share theirs).
    dcp::KernelSlot& (*Kernels)();
};

inline constexpr std::size_t kCatalogueSize = 10;
inline constexpr std::size_t kCatalogueSha1 = 0;
inline constexpr std::size_t kCatalogueMd5 = 9;

const std::array<TCatalogueEntry, kCatalogueSize>& AlgorithmCatalogue();

// The label of a digest's result lines: the algorithm name, except the two
// long names that are shortened. The comparison is on the whole name.
std::string_view DisplayName(std::string_view Algorithm);

// One instance of every catalogue class, in catalogue order.
std::array<std::unique_ptr<TDCP_hash>, kCatalogueSize> CreateCatalogueComponents();

} // namespace sumbrook
