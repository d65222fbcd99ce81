#pragma once

// The armour around the lines of a clearsigned checksum file (a signed
// SHA256SUMS), taken off line by line. The signature itself is not checked.

#include <string_view>

namespace sumbrook::checking {

class ClearsignedText {
public:
    // False for a line of the armour; a signed line loses its "- " escape.
    bool Keep(std::string_view& line);
    // Armour was met and skipped.
    bool Skipped = false;

private:
    enum class State {
        Before,
        Header,
        Text,
        Signature,
        After
    } state_ = State::Before;
};

} // namespace sumbrook::checking
