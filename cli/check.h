#pragma once

// --check: the files listed in checksum files, hashed again and compared.

#include "cli/options.h"

namespace sumbrook::cli {

class ProgressLine;
class StandardOutput;

// Checks every checksum file Options names; the exit status: 0 when every
// listed file matched, 1 otherwise.
int RunCheck(const Options& options, StandardOutput& out, ProgressLine& progress);

} // namespace sumbrook::cli
