#include "platform/file_writer.h"

#include <algorithm>
#include <random>
#include <utility>

#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

struct FileWriter::Target {
    HANDLE File = INVALID_HANDLE_VALUE;
    std::wstring NewPath;   // replacing: the new file beside the target; empty when writing directly
    std::wstring FinalPath; // replacing: the file it replaces
    ~Target()
    {
        if (File != INVALID_HANDLE_VALUE) ::CloseHandle(File);
        if (!NewPath.empty()) ::DeleteFileW(NewPath.c_str());
    }
};

namespace {

[[noreturn]] void CreateFailed(const std::string& path, DWORD error)
{
    throw Exception("Cannot create file \"" + path + "\". " + SystemMessage(error));
}

// The file a link points to; the path itself when it points nowhere.
std::wstring LinkTarget(const std::wstring& path)
{
    const HANDLE h = ::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return path;
    std::wstring resolved(MAX_PATH, L'\0');
    DWORD n = ::GetFinalPathNameByHandleW(h, resolved.data(), static_cast<DWORD>(resolved.size()), VOLUME_NAME_DOS);
    if (n >= resolved.size()) {
        resolved.resize(n);
        n = ::GetFinalPathNameByHandleW(h, resolved.data(), static_cast<DWORD>(resolved.size()), VOLUME_NAME_DOS);
    }
    ::CloseHandle(h);
    if (n == 0 || n >= resolved.size()) return path;
    resolved.resize(n);
    return resolved;
}

} // namespace

std::unique_ptr<FileWriter> FileWriter::Create(const std::string& path)
{
    auto target = std::make_unique<Target>();
    const std::wstring wide = LongPath(path);
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DEVICE) != 0) {
        // Devices have no previous content to keep: written directly.
        target->File =
            ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (target->File == INVALID_HANDLE_VALUE) CreateFailed(path, ::GetLastError());
        return std::make_unique<FileWriter>(std::move(target), path);
    }
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        CreateFailed(path, ERROR_ACCESS_DENIED); // what opening a folder for writing gives
    // A link is followed: the file it points to is replaced, the link stays.
    const std::wstring resolved =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 ? LinkTarget(wide)
                                                                                                  : wide;
    const auto cut = resolved.find_last_of(L"\\/:");
    const std::wstring folder = cut == std::wstring::npos ? L"" : resolved.substr(0, cut + 1);
    std::random_device random;
    for (int attempt = 0; target->File == INVALID_HANDLE_VALUE; ++attempt) {
        target->NewPath = folder + L".sumbrook-" + std::to_wstring(random()) + L".tmp";
        target->File = ::CreateFileW(target->NewPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (target->File == INVALID_HANDLE_VALUE && (::GetLastError() != ERROR_FILE_EXISTS || attempt == 100))
            CreateFailed(path, ::GetLastError());
    }
    target->FinalPath = resolved;
    return std::make_unique<FileWriter>(std::move(target), path);
}

FileId FileWriter::Identity() const
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!target_ || ::GetFileInformationByHandle(target_->File, &info) == 0) return {};
    return {info.dwVolumeSerialNumber, (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

void FileWriter::DropTarget::operator()(Target* target) const
{
    std::default_delete<Target>()(target);
}

void FileWriter::Write(std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!::WriteFile(target_->File, bytes.data() + done, want, &put, nullptr))
            Fail(SystemMessage(::GetLastError()));
        done += put;
    }
}

void FileWriter::Close()
{
    Target& target = *target_;
    if (!::FlushFileBuffers(target.File) && target.NewPath.empty() == false) Fail(SystemMessage(::GetLastError()));
    const HANDLE file = std::exchange(target.File, INVALID_HANDLE_VALUE);
    if (!::CloseHandle(file)) Fail(SystemMessage(::GetLastError()));
    if (!target.NewPath.empty()) {
        if (!::MoveFileExW(target.NewPath.c_str(), target.FinalPath.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail(SystemMessage(::GetLastError()));
        target.NewPath.clear();
    }
    target_.reset();
}

} // namespace sumbrook::platform
