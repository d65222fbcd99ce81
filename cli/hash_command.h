#pragma once

// Hashing: the window's result lines, or the lines of the usual checksum
// files, for the files named on the command line, written in argument
// order; with --output also saved as the window saves them.

#include "cli/options.h"

namespace sumbrook::cli {

class ProgressLine;
class StandardOutput;

// Hashes every path Options names (folders stand for their files); the exit
// status: 0 when every file was read and everything written, 1 otherwise.
int RunHash(const Options& options, StandardOutput& out, ProgressLine& progress);

} // namespace sumbrook::cli
