#include "platform/folder_listing.h"

#include <algorithm>

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
    pattern += "*.*";
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(LongPath(pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        if (failure != nullptr) *failure = SystemMessage(::GetLastError());
        return std::nullopt;
    }
    FindCloser closer{find};
    std::vector<FolderEntry> entries;
    do {
        const std::string name = Narrow(data.cFileName);
        if (name == "." || name == "..") continue;
        const bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool device = (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0;
        const auto size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entries.push_back({name,
                           folderEntry ? FolderEntry::Kind::Folder
                                       : device ? FolderEntry::Kind::Other : FolderEntry::Kind::RegularFile,
                           folderEntry ? 0 : size,
                           {},
                           (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (::FindNextFileW(find, &data));
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return a.Name < b.Name; });
    return entries;
}

std::uint64_t QueryFileSize(const std::string& path)
{
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(LongPath(path).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    ::FindClose(find);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace sumbrook::platform
