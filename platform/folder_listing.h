#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sumbrook::platform {

struct FolderEntry {
    std::string Name;
    enum class Kind {
        RegularFile,
        Folder,
        Other,   // a device, pipe, socket or dangling link
        Unknown, // listed, but its type could not be read (a folder without search permission…)
    } Kind;
    std::uint64_t Size;  // bytes; 0 for anything but a regular file
    std::string Failure; // the system's reason, for Unknown
    bool Link = false;   // a symbolic link (Kind is what it points to): walking into it could loop
};

// Every entry directly inside Folder, hidden ones included, "." and ".."
// left out, in name order. Links are described by what they point to.
// Nothing when the folder cannot be read, with the system's reason in
// Failure when one is asked for.
std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder, std::string* failure = nullptr);

// The size of the file at Path, or 0 when there is none or it is no file.
std::uint64_t QueryFileSize(const std::string& path);

} // namespace sumbrook::platform
