#include "platform/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/descriptor.h"

namespace sumbrook::platform {

std::unique_ptr<FileReader> FileReader::Open(const std::string& path, ShareMode share, PathInfo& failure)
{
    (void)share; // POSIX has no share modes; a plain read-only open is the nearest
    const auto fail = [&failure](decltype(PathInfo::Kind) kind, std::string reason) {
        failure = {kind, 0, std::move(reason)};
        return nullptr;
    };
    const auto failed = [&fail](int error) {
        return fail(error == ENOENT || error == ENOTDIR ? PathInfo::Kind::Missing : PathInfo::Kind::Unknown,
                    std::strerror(error));
    };
    if (path.empty()) return failed(ENOENT);
    posix::PathAt at;
    if (const int error = posix::ResolvePathAt(path, at)) return failed(error);
    // Look before opening: opening a device can have effects of its own.
    struct stat st {};
    if (::fstatat(at.Dir(), at.Name.c_str(), &st, 0) != 0) return failed(errno);
    if (S_ISDIR(st.st_mode)) return fail(PathInfo::Kind::Folder, kNotARegularFile);
    if (!S_ISREG(st.st_mode)) return fail(PathInfo::Kind::Special, kNotARegularFile);
    // O_NONBLOCK stays on: a regular file ignores it, except the few that
    // would otherwise block for ever, which then fail their read.
    const int fd = ::openat(at.Dir(), at.Name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return failed(errno);
    auto reader = std::make_unique<FileReader>(OpenedHandle{fd}); // closes fd on every path
    // The path may have been replaced between the look and the open.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return fail(PathInfo::Kind::Special, kNotARegularFile);
    reader->size_ = static_cast<std::uint64_t>(st.st_size);
#if defined(POSIX_FADV_SEQUENTIAL)
    if (reader->size_ >= (1u << 20))
        ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL); // worth a call for large files only
#endif
    return reader;
}

FileReader::~FileReader()
{
    ::close(static_cast<int>(handle_));
}

std::ptrdiff_t FileReader::Read(std::span<std::uint8_t> into)
{
    // Fill the buffer as far as the file allows: a short read is not the end,
    // a read that delivers nothing is, and it need not be asked again.
    if (atEnd_) return 0;
    std::size_t filled = 0;
    while (filled < into.size()) {
        const ssize_t got = ::read(static_cast<int>(handle_), into.data() + filled, into.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            failure_ = std::strerror(errno); // EAGAIN too: waiting is no option
            return -1;
        }
        if (got == 0) {
            atEnd_ = true;
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    return static_cast<std::ptrdiff_t>(filled);
}

} // namespace sumbrook::platform
