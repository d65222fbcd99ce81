#include "platform/folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/posix/descriptor.h"
#include "platform/file_kind.h"

namespace sumbrook::platform {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder, std::string* failure)
{
    const auto fail = [failure](int error) -> std::optional<std::vector<FolderEntry>> {
        if (failure != nullptr) *failure = std::strerror(error);
        return std::nullopt;
    };
    posix::PathAt at;
    if (const int error = posix::ResolvePathAt(folder, at)) return fail(error);
    posix::Descriptor fd(::openat(at.Dir(), at.Name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd) return fail(errno);
    std::unique_ptr<DIR, DirCloser> dir(::fdopendir(fd.Get()));
    if (!dir) return fail(errno);
    fd.Release(); // the stream owns it now
    const int dirFd = ::dirfd(dir.get());
    std::vector<FolderEntry> entries;
    for (;;) {
        errno = 0;
        const dirent* d = ::readdir(dir.get());
        if (d == nullptr) {
            if (errno != 0) return fail(errno);
            break;
        }
        const std::string name = d->d_name;
        if (name == "." || name == "..") continue;
        FolderEntry entry{name, FolderEntry::Kind::Other, 0, {}, d->d_type == DT_LNK};
        if (d->d_type == DT_UNKNOWN) { // some file systems leave the type to a stat
            struct stat link {};
            entry.Link = ::fstatat(dirFd, d->d_name, &link, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(link.st_mode);
        }
        struct stat st {};
        // Links count as what they point to; a dangling one is "Other".
        if (::fstatat(dirFd, d->d_name, &st, 0) == 0) {
            if (S_ISREG(st.st_mode)) {
                entry.Kind = FolderEntry::Kind::RegularFile;
                entry.Size = static_cast<std::uint64_t>(st.st_size);
            } else if (S_ISDIR(st.st_mode)) {
                entry.Kind = FolderEntry::Kind::Folder;
            }
        } else if (const int error = errno; error == ENOENT) {
            // Gone since it was listed, or a dangling link: nothing to read either way.
            if (::fstatat(dirFd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        } else if (d->d_type == DT_DIR) {
            entry.Kind = FolderEntry::Kind::Folder;
        } else {
            entry.Kind = FolderEntry::Kind::Unknown;
            entry.Failure = std::strerror(error);
        }
        entries.push_back(std::move(entry));
    }
    std::ranges::sort(entries, {}, &FolderEntry::Name);
    return entries;
}

} // namespace sumbrook::platform
