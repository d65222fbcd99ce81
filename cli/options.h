#pragma once

// The command line of sumbrook-cli.

#include <optional>
#include <string>
#include <vector>

#include "digest/engine/algorithm.h"

namespace sumbrook::cli {

enum class OutputFormat {
    Sumbrook, // the window's lines
    Gnu,      // coreutils: "hex  name", one algorithm
    Bsd,      // "TAG (name) = hex", a line per algorithm
    Sfv,      // "name CRC32"
};

struct Options {
    AlgorithmSet Algorithms;
    bool AlgorithmsGiven = false;      // chosen by option, not by default
    std::optional<std::string> Output; // --output FILE, as given
    std::vector<std::string> Paths;    // the bytes given, never re-encoded
    unsigned Threads = 1;              // -j N: threads hashing at once
    OutputFormat Format = OutputFormat::Sumbrook;
    bool Recursive = false;
    bool Progress = true; // when standard error is a terminal
    bool Zero = false;    // -z: output lines end in NUL, names unescaped; checksum lines end in NUL

    // --check: Paths are checksum files.
    bool Check = false;
    bool Quiet = false;  // only failures
    bool Status = false; // nothing, the exit status says it
    bool Strict = false; // a malformed line fails the check
    bool IgnoreMissing = false;
};

// What the command line asks for: options to run with, or a text to print
// and the exit status to end with (help, version, a usage error).
struct ParsedCommandLine {
    std::optional<Options> Run;
    std::string Text;   // for standard output (help, version) or standard error (usage error)
    int ExitStatus = 0; // 0 help or version, 2 usage error
};

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);

} // namespace sumbrook::cli
