#pragma once

// Existence tests. Paths are in the platform's own encoding (UTF-8 bytes on
// Linux, UTF-8 converted to UTF-16 on Windows).

#include <string>

namespace sumbrook::platform {

// Something other than a folder exists at Path (a file, a device, a pipe…),
// following links.
bool FileExists(const std::string& path);

// A regular file, or a link to one. Devices, pipes and sockets are not.
bool RegularFileExists(const std::string& path);

// A folder, or a link to one.
bool FolderExists(const std::string& path);

} // namespace sumbrook::platform
