#include "platform/folder_walk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <utility>
#include <vector>

#include "platform/posix/descriptor.h"

namespace sumbrook::platform {

namespace {

struct Entry {
    std::string Name;
    enum class Kind {
        File,
        Folder,
        Skipped
    } Kind;
    std::string Failure; // a file whose type could not be read
    FileId Id;
    std::uint64_t Size = 0;
};

FileId IdOf(const struct stat& st)
{
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// The entries of the open folder Fd, in name order; the errno on failure.
int List(int fd, std::vector<Entry>& entries)
{
    const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (own < 0) return errno;
    DIR* dir = ::fdopendir(own);
    if (dir == nullptr) {
        const int error = errno;
        ::close(own);
        return error;
    }
    ::rewinddir(dir);
    int error = 0;
    for (;;) {
        errno = 0;
        const dirent* d = ::readdir(dir);
        if (d == nullptr) {
            error = errno;
            break;
        }
        const std::string name = d->d_name;
        if (name == "." || name == "..") continue;
        Entry entry{name, Entry::Kind::Skipped, {}, {}, 0};
        struct stat link {};
        const bool isLink =
            d->d_type == DT_LNK || (d->d_type == DT_UNKNOWN &&
                                    ::fstatat(fd, d->d_name, &link, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(link.st_mode));
        struct stat st {};
        // Links to files count as the file; links to folders are not entered.
        if (::fstatat(fd, d->d_name, &st, 0) == 0) {
            entry.Id = IdOf(st);
            if (S_ISREG(st.st_mode)) {
                entry.Kind = Entry::Kind::File;
                entry.Size = static_cast<std::uint64_t>(st.st_size);
            } else if (S_ISDIR(st.st_mode) && !isLink)
                entry.Kind = Entry::Kind::Folder;
        } else if (errno == ENOENT) {
            continue; // gone since it was listed, or a dangling link
        } else if (d->d_type == DT_DIR) {
            entry.Kind = Entry::Kind::Folder;
        } else {
            entry.Kind = Entry::Kind::File;
            entry.Failure = std::strerror(errno);
        }
        if (entry.Kind != Entry::Kind::Skipped) entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.Name < b.Name; });
    return error;
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

} // namespace

struct FolderWalk::State {
    struct Level {
        FileId Id;
        std::vector<Entry> Entries;
        std::size_t Next = 0;
        std::size_t PathLength = 0; // of Path while in this folder
    };
    std::string Path;
    std::vector<Level> Levels;
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::size_t> OnPath; // folder identity: its path's length
    posix::Descriptor Current;                                             // the deepest level's folder
    bool Recursive = false;
    std::optional<Found> Pending; // the root's failure

    // Into the folder open as Fd, named Path; a failure to report, or nothing.
    std::optional<Found> Enter(posix::Descriptor fd)
    {
        struct stat st {};
        if (::fstat(fd.Get(), &st) != 0) return Found{Path, std::strerror(errno), {}};
        const FileId id = IdOf(st);
        if (const auto seen = OnPath.find({id.Device, id.Inode}); seen != OnPath.end())
            return Found{
                Path, "a folder loop: the same folder as " + Path.substr(0, seen->second) + "; not entered again", id};
        Level level{id, {}, 0, Path.size()};
        if (const int error = List(fd.Get(), level.Entries)) return Found{Path, std::strerror(error), id};
        OnPath.emplace(std::pair{id.Device, id.Inode}, Path.size());
        Levels.push_back(std::move(level));
        Current = std::move(fd);
        return std::nullopt;
    }

    // Back to the parent through "..", checked to be the folder left.
    bool Leave()
    {
        OnPath.erase({Levels.back().Id.Device, Levels.back().Id.Inode});
        Levels.pop_back();
        if (Levels.empty()) return false;
        Path.resize(Levels.back().PathLength);
        posix::Descriptor parent(::openat(Current.Get(), "..", kFolderFlags));
        struct stat st {};
        if (!parent || ::fstat(parent.Get(), &st) != 0 || IdOf(st) != Levels.back().Id) {
            Pending = Found{Path, "the folder was moved while it was read", {}};
            Levels.clear();
            OnPath.clear();
            return false;
        }
        Current = std::move(parent);
        return true;
    }
};

FolderWalk::FolderWalk(const std::string& folder, bool recursive) : state_(std::make_unique<State>())
{
    state_->Path = folder;
    state_->Recursive = recursive;
    posix::PathAt at;
    if (const int error = posix::ResolvePathAt(folder, at)) {
        state_->Pending = Found{folder, std::strerror(error), {}};
        return;
    }
    posix::Descriptor fd(::openat(at.Dir(), at.Name.c_str(), kFolderFlags));
    if (!fd) {
        state_->Pending = Found{folder, std::strerror(errno), {}};
        return;
    }
    state_->Pending = state_->Enter(std::move(fd));
}

FolderWalk::~FolderWalk() = default;

std::optional<FolderWalk::Found> FolderWalk::Next()
{
    State& s = *state_;
    for (;;) {
        if (s.Pending) return std::exchange(s.Pending, std::nullopt);
        if (s.Levels.empty()) return std::nullopt;
        State::Level& level = s.Levels.back();
        if (level.Next == level.Entries.size()) {
            s.Leave();
            continue;
        }
        Entry entry = std::move(level.Entries[level.Next++]);
        s.Path.resize(level.PathLength);
        // "dir/" gives "dir/name", the root "/" gives "/name".
        if (!s.Path.ends_with('/')) s.Path += '/';
        s.Path += entry.Name;
        if (entry.Kind == Entry::Kind::File) return Found{s.Path, std::move(entry.Failure), entry.Id, entry.Size};
        if (!s.Recursive) continue;
        // Not through a link, even one put in the folder's place since it was listed.
        posix::Descriptor fd(::openat(s.Current.Get(), entry.Name.c_str(), kFolderFlags | O_NOFOLLOW));
        if (!fd) {
            if (errno == ELOOP || errno == ENOTDIR || errno == ENOENT) continue;
            return Found{s.Path, std::strerror(errno), entry.Id};
        }
        if (auto failure = s.Enter(std::move(fd))) return failure;
    }
}

} // namespace sumbrook::platform
