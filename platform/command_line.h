#pragma once

#include <string>
#include <vector>

namespace sumbrook::platform {

// The program's arguments as the platform layer's paths: on Linux the bytes
// of argv; on Windows the wide command line in UTF-8, so a file name outside
// the ANSI code page arrives whole (argv would have "?" in its place).
std::vector<std::string> CommandLineArguments(int argc, const char* const* argv);

// Standard input, output and error carry bytes unchanged: on Windows no "\r"
// is put before "\n" nor taken away, and a console shows UTF-8 (its output
// code page is set to it).
// Nothing to do on Linux.
void PrepareStandardOutputBytes();

} // namespace sumbrook::platform
