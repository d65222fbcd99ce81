#pragma once

#include <cstdio>
#include <string>

namespace sumbrook::platform {

// std::fopen for a path of the platform interface (UTF-8 on Windows, where
// fopen would read it in the ANSI code page). Any kind of file, pipes too.
std::FILE* OpenStdioFile(const std::string& path, const char* mode);

} // namespace sumbrook::platform
