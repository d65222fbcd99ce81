#pragma once

// The lines of the usual checksum files: GNU coreutils ("HEX  NAME"), BSD
// tags ("SHA256 (NAME) = HEX") and SFV ("NAME CRC32"), read and written.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace sumbrook::cli {

enum class LineKind {
    Gnu, // the algorithm follows from the hex length, the file name or an option
    Bsd,
    Sfv,
};

struct ChecksumLine {
    LineKind Kind;
    std::string Name;                     // unescaped
    std::string Hex;                      // as written, either case
    std::optional<std::size_t> Algorithm; // named by the line itself (BSD tag, SFV)
};

// A line without its line end. Nothing for a line that is none of the
// formats; Comment is set for an SFV comment or a blank line.
struct ParsedLine {
    std::optional<ChecksumLine> Line;
    bool Comment = false;
};
ParsedLine ParseChecksumLine(std::string_view text);

// Coreutils' escaping of a name with "\", LF or CR: Escaped says the line
// must start with a backslash.
struct EscapedName {
    bool Escaped;
    std::string Text;
};
EscapedName EscapeName(std::string_view name);

// The lines written for one file; Hex in either case.
std::string GnuLine(std::string_view name, std::string_view hex);
std::string BsdLine(std::size_t algorithm, std::string_view name, std::string_view hex);
// Nothing for a name SFV cannot hold (one with a line end).
std::optional<std::string> SfvLine(std::string_view name, std::string_view crcHex);

} // namespace sumbrook::cli
