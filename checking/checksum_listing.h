#pragma once

// A whole checksum file as the files it lists, each with the values it
// expects: coreutils, BSD, SFV and openssl lines, or the window's result file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "digest/engine/algorithm.h"

namespace sumbrook::checking {

struct ExpectedValue {
    AlgorithmId Algorithm;
    std::vector<std::uint8_t> Value;
};

struct ListedFile {
    std::string Name; // as listed, UTF-8 where the file was
    std::string Path; // where it is looked for: beside the checksum file unless absolute
    std::vector<ExpectedValue> Values;
};

struct ChecksumListing {
    std::vector<ListedFile> Files;
    std::size_t MalformedLines = 0;
    bool Undecodable = false; // a result file in no known encoding
};

// Bytes: the checksum file's content; ChecksumPath: where it lies, for its
// folder and for the algorithm its name implies. A coreutils line whose hex
// length fits several algorithms takes the one the file name names, else
// the one such files usually hold (MD5 for 32 digits, SHA-1 for 40).
ChecksumListing ListChecksumFile(std::string_view bytes, std::string_view checksumPath);

} // namespace sumbrook::checking
