#include "platform/posix/descriptor.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <locale.h>

namespace sumbrook::platform::posix {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept
{
    if (this != &other) {
        Reset();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

int Descriptor::Reset()
{
    if (fd_ < 0) return 0;
    const int result = ::close(std::exchange(fd_, -1));
    return result == 0 || errno == EINTR ? 0 : errno;
}

namespace {

#if defined(O_PATH)
constexpr int kFolderOnly = O_PATH | O_DIRECTORY | O_CLOEXEC; // needs search permission only
#else
constexpr int kFolderOnly = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

} // namespace

int ResolvePathAt(const std::string& path, PathAt& out)
{
    out.Folder = Descriptor();
    if (path.size() < PATH_MAX) {
        out.Name = path;
        return 0;
    }
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ENAMETOOLONG;
    const std::string folder = path.substr(0, slash);
    Descriptor current;
    std::size_t at = 0;
    if (path[0] == '/') {
        current = Descriptor(::open("/", kFolderOnly));
        if (!current) return errno;
        at = 1;
    }
    // Walk the folder in pieces the kernel accepts, each ending at a "/".
    while (at < folder.size()) {
        std::size_t end = folder.size();
        if (end - at >= PATH_MAX) {
            end = folder.rfind('/', at + PATH_MAX - 1);
            if (end == std::string::npos || end <= at) return ENAMETOOLONG;
        }
        const std::string piece = folder.substr(at, end - at);
        at = end + 1;
        if (piece.empty()) continue;
        const int fd = ::openat(current ? current.Get() : AT_FDCWD, piece.c_str(), kFolderOnly);
        if (fd < 0) return errno;
        current = Descriptor(fd);
    }
    out.Folder = std::move(current);
    out.Name = slash + 1 < path.size() ? path.substr(slash + 1) : ".";
    return 0;
}

std::string SystemReason(int error)
{
    const locale_t english = ::newlocale(LC_MESSAGES_MASK, "C", static_cast<locale_t>(nullptr));
    if (english == static_cast<locale_t>(nullptr)) return std::strerror(error);
    std::string reason = ::strerror_l(error, english);
    ::freelocale(english);
    return reason;
}

std::string FolderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace sumbrook::platform::posix
