#pragma once

// A digest a person pastes from a web page: bare hex in either case, maybe
// cut into groups by spaces, or a whole checksum line ("HEX  NAME", a BSD tag).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "digest/engine/algorithm.h"

namespace sumbrook::checking {

struct KnownDigest {
    std::vector<std::uint8_t> Value;
    std::vector<AlgorithmId> Candidates; // the algorithms with a value of this length; the line's own when it names one
    std::string Name;                    // the file a whole line names, otherwise empty
};

// Nothing when the text is no digest of any algorithm's length.
std::optional<KnownDigest> ParseKnownDigest(std::string_view text);

} // namespace sumbrook::checking
