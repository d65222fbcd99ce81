#include "file_writer.h"

#include "win32_text.h"

namespace sumbrook::platform {

std::unique_ptr<FileWriter> FileWriter::Create(const std::string& path)
{
    const HANDLE h = ::CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw Exception("Cannot create file \"" + path + "\". " + SystemMessage(::GetLastError()));
    return std::make_unique<FileWriter>(OpenedHandle{reinterpret_cast<std::intptr_t>(h), true}, path);
}

FileWriter::~FileWriter()
{
    if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

void FileWriter::Write(std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        if (!::WriteFile(reinterpret_cast<HANDLE>(handle_), bytes.data() + done, want, &put, nullptr))
            Fail(SystemMessage(::GetLastError()));
        done += put;
    }
}

void FileWriter::Close()
{
    const HANDLE h = reinterpret_cast<HANDLE>(handle_);
    if (!::FlushFileBuffers(h)) Fail(SystemMessage(::GetLastError()));
    handle_ = -1;
    if (!::CloseHandle(h)) {
        const std::string reason = SystemMessage(::GetLastError());
        ::DeleteFileW(LongPath(path_).c_str());
        throw Exception("Cannot write file \"" + path_ + "\". " + reason);
    }
}

void FileWriter::Fail(const std::string& reason)
{
    if (handle_ != -1) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = -1;
    if (regular_) ::DeleteFileW(LongPath(path_).c_str());
    throw Exception("Cannot write file \"" + path_ + "\". " + reason);
}

} // namespace sumbrook::platform
