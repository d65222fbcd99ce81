#pragma once

// Colours of the groups of files with equal results.

#include <optional>

namespace sumbrook::workflow {

struct Rgb {
    int Red, Green, Blue;
    bool operator==(const Rgb&) const = default;
};

// The row colour of group mark 1 to 8; nothing for any other mark.
std::optional<Rgb> GroupColour(int mark);

} // namespace sumbrook::workflow
