#include "file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace sumbrook::platform {

std::unique_ptr<FileReader> FileReader::Open(const std::string& path, ShareMode share)
{
    (void)share; // POSIX has no share modes; a plain read-only open is the nearest
    // O_NONBLOCK keeps the open itself from waiting on a FIFO without writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return nullptr;
    auto reader = std::make_unique<FileReader>(OpenedHandle{fd}); // closes fd on every path
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) return nullptr;
#if defined(POSIX_FADV_SEQUENTIAL)
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    return reader;
}

FileReader::~FileReader()
{
    ::close(static_cast<int>(handle_));
}

std::ptrdiff_t FileReader::Read(std::span<std::uint8_t> into)
{
    // Fill the buffer as far as the file allows: a short read is not the end.
    std::size_t filled = 0;
    while (filled < into.size()) {
        const ssize_t got = ::read(static_cast<int>(handle_), into.data() + filled, into.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return static_cast<std::ptrdiff_t>(filled);
}

} // namespace sumbrook::platform
