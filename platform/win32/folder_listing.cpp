#include "platform/folder_listing.h"

#include <algorithm>

#include "platform/file_kind.h"
#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

namespace {

struct FindCloser {
    HANDLE handle;
    ~FindCloser() { ::FindClose(handle); }
};

} // namespace

std::optional<std::vector<FolderEntry>> ListFolder(const std::string& folder, std::string* failure)
{
    std::string pattern = folder;
    if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) pattern += '\\';
    pattern += "*";
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(LongPath(pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        // A drive's empty root has no "." and ".." to find.
        if (error == ERROR_FILE_NOT_FOUND && FolderExists(folder)) return std::vector<FolderEntry>{};
        if (failure != nullptr) *failure = SystemMessage(error);
        return std::nullopt;
    }
    FindCloser closer{find};
    std::vector<FolderEntry> entries;
    do {
        const std::string name = Narrow(data.cFileName);
        if (name == "." || name == "..") continue;
        const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (link) {
            // The listing describes the link itself; it counts as what it points to.
            const PathInfo target = DescribePath(pattern.substr(0, pattern.size() - 1) + name);
            FolderEntry entry{name, FolderEntry::Kind::Other, 0, {}, true};
            if (target.Kind == PathInfo::Kind::RegularFile)
                entry = {name, FolderEntry::Kind::RegularFile, target.Size, {}, true};
            if (target.Kind == PathInfo::Kind::Folder) entry.Kind = FolderEntry::Kind::Folder;
            if (target.Kind == PathInfo::Kind::Unknown)
                entry = {name, FolderEntry::Kind::Unknown, 0, target.Failure, true};
            entries.push_back(std::move(entry));
            continue;
        }
        const bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool device = (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0;
        const auto size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entries.push_back({name,
                           folderEntry ? FolderEntry::Kind::Folder
                           : device    ? FolderEntry::Kind::Other
                                       : FolderEntry::Kind::RegularFile,
                           folderEntry ? 0 : size,
                           {},
                           false});
    } while (::FindNextFileW(find, &data));
    std::ranges::sort(entries, {}, &FolderEntry::Name);
    return entries;
}

} // namespace sumbrook::platform
