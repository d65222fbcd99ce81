#include "folder_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace sumbrook::platform {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder)
{
    std::unique_ptr<DIR, DirCloser> dir(::opendir(folder.c_str()));
    if (!dir) return std::nullopt;
    const int dirFd = ::dirfd(dir.get());
    std::vector<FolderEntry> entries;
    while (const dirent* d = ::readdir(dir.get())) {
        const std::string name = d->d_name;
        if (name == "." || name == "..") continue;
        FolderEntry entry{name, FolderEntry::Kind::Other, 0};
        struct stat st {};
        // Links count as what they point to; a dangling one is "Other".
        if (::fstatat(dirFd, d->d_name, &st, 0) == 0) {
            if (S_ISREG(st.st_mode)) {
                entry.Kind = FolderEntry::Kind::RegularFile;
                entry.Size = static_cast<std::uint64_t>(st.st_size);
            } else if (S_ISDIR(st.st_mode)) {
                entry.Kind = FolderEntry::Kind::Folder;
            }
        }
        entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.Name < b.Name; });
    return entries;
}

std::uint64_t QueryFileSize(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

} // namespace sumbrook::platform
