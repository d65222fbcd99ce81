#include "platform/file_kind.h"

#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

PathInfo DescribePath(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data)) {
        const DWORD error = ::GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? PathInfo::Kind::Missing : PathInfo::Kind::Unknown, 0, SystemMessage(error)};
    }
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {PathInfo::Kind::Folder, 0, {}};
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) return {PathInfo::Kind::Special, 0, {}};
    const auto size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return {PathInfo::Kind::RegularFile, size, {}};
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool RegularFileExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(LongPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace sumbrook::platform
