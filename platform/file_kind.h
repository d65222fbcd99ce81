#pragma once

// Existence tests. Paths are in the platform's own encoding (the bytes of
// the name on Linux, UTF-8 converted to UTF-16 on Windows).

#include <cstdint>
#include <string>

namespace sumbrook::platform {

// What a path names, following links.
struct PathInfo {
    enum class Kind {
        Missing, // nothing there (the path or a folder on its way does not exist)
        RegularFile,
        Folder,
        Special, // a device, pipe or socket
        Unknown, // the system could not tell (no permission, a link loop, a name too long…)
    } Kind;
    std::uint64_t Size = 0; // bytes, for a regular file
    std::string Failure;    // the system's reason, for Missing and Unknown
};

PathInfo DescribePath(const std::string& path);

// Which file a path names, following links: two names of one file compare
// equal. Zero where it cannot be told.
struct FileId {
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
    bool Known() const { return Device != 0 || Inode != 0; }
    friend bool operator==(const FileId&, const FileId&) = default;
};
FileId IdentifyPath(const std::string& path);

// Something other than a folder exists at Path (a file, a device, a pipe…),
// following links.
bool FileExists(const std::string& path);

// A regular file, or a link to one. Devices, pipes and sockets are not.
bool RegularFileExists(const std::string& path);

// A folder, or a link to one.
bool FolderExists(const std::string& path);

} // namespace sumbrook::platform
