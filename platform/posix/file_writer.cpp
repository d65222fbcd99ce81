#include "platform/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <random>

#include "platform/posix/descriptor.h"
#include "platform/posix/pending_file.h"

namespace sumbrook::platform {

struct FileWriter::Target {
    posix::Descriptor File;
    posix::Descriptor Folder; // replacing: the folder of the file replaced
    std::string NewName;      // replacing: the new file's name in Folder; empty when writing directly
    std::string FinalName;    // replacing: the name it takes when complete
    ~Target()
    {
        if (NewName.empty()) return;
        File.Reset();
        ::unlinkat(Folder.Get(), NewName.c_str(), 0);
        posix::ForgetPendingFile();
    }
};

namespace {

[[noreturn]] void CreateFailed(const std::string& path, int error)
{
    throw Exception("Cannot create file \"" + path + "\". " + posix::SystemReason(error));
}

std::string ReadLink(int folder, const std::string& name, const std::string& path)
{
    std::string link(256, '\0');
    for (;;) {
        const ssize_t got = ::readlinkat(folder, name.c_str(), link.data(), link.size());
        if (got < 0) CreateFailed(path, errno);
        if (static_cast<std::size_t>(got) < link.size()) {
            link.resize(static_cast<std::size_t>(got));
            return link;
        }
        link.resize(link.size() * 2);
    }
}

// Writes straight into Path: devices, pipes and terminals have no
// "previous content" to keep.
std::unique_ptr<FileWriter::Target> OpenDirectly(const std::string& path)
{
    posix::PathAt at;
    if (const int error = posix::ResolvePathAt(path, at)) CreateFailed(path, error);
    // O_NONBLOCK keeps the open from waiting for a reader when Path is a FIFO.
    posix::Descriptor fd(
        ::openat(at.Dir(), at.Name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666));
    if (!fd) CreateFailed(path, errno);
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) CreateFailed(path, errno);
    auto target = std::make_unique<FileWriter::Target>();
    target->File = std::move(fd);
    return target;
}

} // namespace

std::unique_ptr<FileWriter> FileWriter::Create(const std::string& path)
{
    // Follow symbolic links to the file that is to be replaced.
    std::string resolved = path;
    struct stat st {};
    bool exists = false;
    for (int hops = 0;; ++hops) {
        posix::PathAt at;
        if (const int error = posix::ResolvePathAt(resolved, at)) CreateFailed(path, error);
        if (::fstatat(at.Dir(), at.Name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) CreateFailed(path, errno);
            break; // a new file
        }
        if (!S_ISLNK(st.st_mode)) {
            exists = true;
            break;
        }
        if (hops == 40) CreateFailed(path, ELOOP);
        const std::string link = ReadLink(at.Dir(), at.Name, path);
        resolved = link.starts_with('/') ? link : posix::FolderOf(resolved) + '/' + link;
    }
    if (exists && !S_ISREG(st.st_mode)) return std::make_unique<FileWriter>(OpenDirectly(path), path);

    auto target = std::make_unique<Target>();
    target->FinalName = posix::NameOf(resolved);
    if (target->FinalName.empty()) CreateFailed(path, EISDIR);
    posix::PathAt folderAt;
    if (const int error = posix::ResolvePathAt(posix::FolderOf(resolved), folderAt)) CreateFailed(path, error);
    target->Folder =
        posix::Descriptor(::openat(folderAt.Dir(), folderAt.Name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!target->Folder) CreateFailed(path, errno);

    std::random_device random;
    for (int attempt = 0; !target->File; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, ".sumbrook-%08x.tmp", static_cast<unsigned>(random()));
        // The new file starts private; it gets the old file's mode before it is filled.
        target->File = posix::Descriptor(::openat(
            target->Folder.Get(), name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, exists ? 0600 : 0666));
        if (target->File) {
            target->NewName = name;
        } else if (errno != EEXIST || attempt == 100) {
            // A folder we may not write in is refused, writable file or not:
            // overwriting in place would lose the previous file to a full
            // disk or a signal, and a new file elsewhere could not be renamed
            // into this folder either.
            CreateFailed(path, errno);
        }
    }
    posix::RegisterPendingFile(target->Folder.Get(), target->NewName);
    if (exists) {
        // Keep who may read the result; ownership only where we are allowed to give it.
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) &&
            ::fchown(target->File.Get(), st.st_uid, st.st_gid) != 0) {
            // Not ours to give: the new file stays ours, as a copy would.
        }
        ::fchmod(target->File.Get(), st.st_mode & 07777);
    }
    return std::make_unique<FileWriter>(std::move(target), path);
}

void FileWriter::DropTarget::operator()(Target* target) const
{
    std::default_delete<Target>()(target);
}

void FileWriter::Write(std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(target_->File.Get(), bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            Fail(posix::SystemReason(errno));
        }
        done += static_cast<std::size_t>(put);
    }
}

void FileWriter::Close()
{
    Target& target = *target_;
    const bool replacing = !target.NewName.empty();
    // A full disk or a lost medium can surface only when the data is flushed.
    if (::fsync(target.File.Get()) != 0 && (replacing || (errno != EINVAL && errno != ENOTSUP)))
        Fail(posix::SystemReason(errno));
    if (const int error = target.File.Reset()) Fail(posix::SystemReason(error));
    if (replacing) {
        if (::renameat(target.Folder.Get(), target.NewName.c_str(), target.Folder.Get(), target.FinalName.c_str()) != 0)
            Fail(posix::SystemReason(errno));
        posix::ForgetPendingFile();
        ::fsync(target.Folder.Get()); // the new name itself reaches the disk
        target.NewName.clear();
    }
    target_.reset();
}

FileId FileWriter::Identity() const
{
    struct stat st {};
    if (!target_ || ::fstat(target_->File.Get(), &st) != 0) return {};
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

} // namespace sumbrook::platform
