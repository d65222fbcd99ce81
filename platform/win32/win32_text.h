#pragma once

// UTF-8 paths of the platform interface to the wide strings of Win32.

#include <windows.h>

#include <string>

namespace sumbrook::platform {

inline std::wstring Widen(const std::string& utf8)
{
    if (utf8.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

inline std::string Narrow(const std::wstring& wide)
{
    if (wide.empty()) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

// Long paths past MAX_PATH need the \\?\ prefix on absolute paths.
inline std::wstring LongPath(const std::string& utf8)
{
    std::wstring wide = Widen(utf8);
    if (wide.size() >= MAX_PATH && wide.size() > 2 && wide[1] == L':' && wide.rfind(L"\\\\?\\", 0) != 0)
        wide.insert(0, L"\\\\?\\");
    return wide;
}

inline std::string SystemMessage(DWORD code)
{
    wchar_t* text = nullptr;
    ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = text != nullptr ? text : L"";
    ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
    return Narrow(message);
}

} // namespace sumbrook::platform
