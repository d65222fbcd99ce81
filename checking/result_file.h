#pragma once

// Reading the window's saved result file: a file-name line, then its result
// lines after a TAB ("\tMD5：HEX").

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "digest/engine/algorithm.h"

namespace sumbrook::checking {

struct ResultValue {
    AlgorithmId Algorithm;
    std::vector<std::uint8_t> Value;
    std::size_t LineNumber;
};

struct ResultEntry {
    std::string Name; // UTF-8
    std::size_t LineNumber;
    std::vector<ResultValue> Values;
};

struct ResultFile {
    std::vector<ResultEntry> Entries;
    std::vector<std::size_t> MalformedLines; // line numbers
};

// A checksum file is one of these when a line starts with a TAB; no other
// format has such a line.
bool LooksLikeResultFile(std::string_view bytes);

// Bytes already decoded to UTF-8; CR LF or LF.
ResultFile ParseResultFile(std::string_view text);

} // namespace sumbrook::checking
