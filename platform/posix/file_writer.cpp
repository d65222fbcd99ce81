#include "file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sumbrook::platform {

std::unique_ptr<FileWriter> FileWriter::Create(const std::string& path)
{
    // O_NONBLOCK keeps the open from waiting for a reader when Path is a FIFO.
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (fd < 0)
        throw Exception("Cannot create file \"" + path + "\". " + std::strerror(errno));
    auto writer = std::make_unique<FileWriter>(OpenedHandle{fd, false}, path); // closes fd on every path
    struct stat st {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        throw Exception("Cannot create file \"" + path + "\". " + std::strerror(errno));
    writer->regular_ = S_ISREG(st.st_mode);
    return writer;
}

FileWriter::~FileWriter()
{
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

void FileWriter::Write(std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(static_cast<int>(handle_), bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            Fail(std::strerror(errno));
        }
        done += static_cast<std::size_t>(put);
    }
}

void FileWriter::Close()
{
    const int fd = static_cast<int>(handle_);
    // A full disk or a lost medium can surface only when the data is flushed.
    if (regular_ && ::fsync(fd) != 0 && errno != EINVAL) Fail(std::strerror(errno));
    handle_ = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        const std::string reason = std::strerror(errno);
        if (regular_) ::unlink(path_.c_str());
        throw Exception("Cannot write file \"" + path_ + "\". " + reason);
    }
}

void FileWriter::Fail(const std::string& reason)
{
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
    handle_ = -1;
    if (regular_) ::unlink(path_.c_str());
    throw Exception("Cannot write file \"" + path_ + "\". " + reason);
}

} // namespace sumbrook::platform
