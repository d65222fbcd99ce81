#include "platform/file_reader.h"

#include <algorithm>

#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

std::unique_ptr<FileReader> FileReader::Open(const std::string& path, ShareMode share, PathInfo& failure)
{
    failure = DescribePath(path);
    if (failure.Kind == PathInfo::Kind::Folder || failure.Kind == PathInfo::Kind::Special)
        failure.Failure = kNotARegularFile;
    if (failure.Kind != PathInfo::Kind::RegularFile) return nullptr;
    const DWORD shareFlags = share == ShareMode::AllowOthers ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    const HANDLE h = ::CreateFileW(LongPath(path).c_str(), GENERIC_READ, shareFlags, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        failure = {PathInfo::Kind::Unknown, 0, SystemMessage(::GetLastError())};
        return nullptr;
    }
    auto reader = std::make_unique<FileReader>(OpenedHandle{reinterpret_cast<std::intptr_t>(h)});
    if (::GetFileType(h) != FILE_TYPE_DISK) {
        failure = {PathInfo::Kind::Special, 0, kNotARegularFile};
        return nullptr;
    }
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(h, &size)) reader->size_ = static_cast<std::uint64_t>(size.QuadPart);
    return reader;
}

FileReader::~FileReader()
{
    ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

std::ptrdiff_t FileReader::Read(std::span<std::uint8_t> into)
{
    // Fill the buffer as far as the file allows; a read that delivers
    // nothing is the end, and it need not be asked again.
    if (atEnd_) return 0;
    std::size_t filled = 0;
    while (filled < into.size()) {
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(into.size() - filled, 1u << 30));
        if (!::ReadFile(reinterpret_cast<HANDLE>(handle_), into.data() + filled, want, &got, nullptr)) {
            failure_ = SystemMessage(::GetLastError());
            return -1;
        }
        if (got == 0) {
            atEnd_ = true;
            break;
        }
        filled += got;
    }
    return static_cast<std::ptrdiff_t>(filled);
}

} // namespace sumbrook::platform
