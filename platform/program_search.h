#pragma once

#include <optional>
#include <string>

namespace sumbrook::platform {

// The full path of a file named Name in one of the folders of the program
// search path, or nothing.
std::optional<std::string> SearchProgramPath(const std::string& name);

} // namespace sumbrook::platform
