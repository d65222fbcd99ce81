#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sumbrook::platform {

struct FolderEntry {
    std::string Name;
    enum class Kind { RegularFile, Folder, Other } Kind;
    std::uint64_t Size; // bytes; 0 for anything but a regular file
};

// Every entry directly inside Folder, hidden ones included, "." and ".."
// left out, in name order. Links are described by what they point to.
// Nothing when the folder cannot be read.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder);

// The size of the file at Path, or 0 when there is none or it is no file.
std::uint64_t QueryFileSize(const std::string& path);

} // namespace sumbrook::platform
