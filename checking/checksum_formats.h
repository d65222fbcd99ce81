#pragma once

// The lines of the usual checksum files: GNU coreutils ("HEX  NAME"), BSD
// tags ("SHA256 (NAME) = HEX") and SFV ("NAME CRC32"), read and written.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "digest/engine/algorithm.h"

namespace sumbrook::checking {

enum class LineKind {
    Gnu, // the algorithm follows from the hex length, the file name or an option
    Bsd,
    Sfv,
};

struct ChecksumLine {
    LineKind Kind;
    std::string Name;                     // unescaped
    std::string Hex;                      // as written, either case
    std::optional<AlgorithmId> Algorithm; // named by the line itself (BSD tag, SFV)
};

// A line without its line end. Nothing for a line that is none of the
// formats; Comment is set for a comment ('#', SFV's ';') or a blank line;
// UnknownTag holds the tag of a BSD line for an algorithm not computed here.
struct ParsedLine {
    std::optional<ChecksumLine> Line;
    bool Comment = false;
    std::string UnknownTag;
};
ParsedLine ParseChecksumLine(std::string_view text);

// Coreutils' escaping of a name with "\", LF or CR: Escaped says the line
// must start with a backslash.
struct EscapedName {
    bool Escaped;
    std::string Text;
};
EscapedName EscapeName(std::string_view name);

// The lines written for one file, from a digest's bytes; with Zero, ended
// by NUL and the name unescaped, as coreutils -z writes them.
std::string GnuLine(std::string_view name, std::span<const std::uint8_t> digest, bool zero = false);
std::string BsdLine(AlgorithmId algorithm, std::string_view name, std::span<const std::uint8_t> digest,
                    bool zero = false);
// Nothing for a name SFV cannot hold: one that would not read back as
// itself (a line end, a leading ";", trailing spaces…).
std::optional<std::string> SfvLine(std::string_view name, std::uint32_t crc, bool zero = false);

// A value as written in a checksum file, in either case, back to bytes:
// a digest's hex in full, CRC-32's with up to eight digits (the window
// writes six or more). Nothing when it is not such a value.
std::optional<std::vector<std::uint8_t>> ParseDigestHex(AlgorithmId algorithm, std::string_view hex);

} // namespace sumbrook::checking
