#pragma once

// POSIX helpers shared by the platform calls: an owned descriptor, and a path
// split into an open folder and a name in it.

#include <fcntl.h>

#include <string>
#include <utility>

namespace sumbrook::platform::posix {

// An open file descriptor, closed when it goes.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { Reset(); }

    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }
    explicit operator bool() const { return fd_ >= 0; }
    // Closes now; the close's own errno is returned (0 when it went well).
    int Reset();

private:
    int fd_ = -1;
};

// A path as a folder descriptor and a name inside it, for the *at calls.
// A path the kernel takes whole keeps AT_FDCWD; a longer one is opened
// folder by folder, so a joined path past PATH_MAX is reached like any other.
struct PathAt {
    Descriptor Folder; // empty: the current folder
    std::string Name;
    int Dir() const { return Folder ? Folder.Get() : AT_FDCWD; }
};

// 0, or the errno of the folder that could not be opened on the way.
int ResolvePathAt(const std::string& path, PathAt& out);

// The system's reason for an errno in English, whatever the process locale:
// it follows an English message, so one message has one language.
std::string SystemReason(int error);

// The folder part of a path ("." for a bare name, "/" for the root's entries)
// and the name after the last "/".
std::string FolderOf(const std::string& path);
std::string NameOf(const std::string& path);

} // namespace sumbrook::platform::posix
