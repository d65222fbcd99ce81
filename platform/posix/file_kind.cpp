#include "platform/file_kind.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/posix/descriptor.h"

namespace sumbrook::platform {

PathInfo DescribePath(const std::string& path)
{
    const auto failed = [](int error) {
        const bool missing = error == ENOENT || error == ENOTDIR;
        return PathInfo{missing ? PathInfo::Kind::Missing : PathInfo::Kind::Unknown, 0, std::strerror(error)};
    };
    if (path.empty()) return failed(ENOENT);
    posix::PathAt at;
    if (const int error = posix::ResolvePathAt(path, at)) return failed(error);
    struct stat st {};
    if (::fstatat(at.Dir(), at.Name.c_str(), &st, 0) != 0) return failed(errno);
    if (S_ISREG(st.st_mode)) return {PathInfo::Kind::RegularFile, static_cast<std::uint64_t>(st.st_size), {}};
    if (S_ISDIR(st.st_mode)) return {PathInfo::Kind::Folder, 0, {}};
    return {PathInfo::Kind::Special, 0, {}};
}

FileId IdentifyPath(const std::string& path)
{
    posix::PathAt at;
    struct stat st {};
    if (path.empty() || posix::ResolvePathAt(path, at) != 0 || ::fstatat(at.Dir(), at.Name.c_str(), &st, 0) != 0)
        return {};
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

bool FileExists(const std::string& path)
{
    const auto kind = DescribePath(path).Kind;
    return kind == PathInfo::Kind::RegularFile || kind == PathInfo::Kind::Special;
}

bool RegularFileExists(const std::string& path)
{
    return DescribePath(path).Kind == PathInfo::Kind::RegularFile;
}

bool FolderExists(const std::string& path)
{
    return DescribePath(path).Kind == PathInfo::Kind::Folder;
}

} // namespace sumbrook::platform
