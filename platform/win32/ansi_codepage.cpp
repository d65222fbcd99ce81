#include "platform/ansi_codepage.h"

#include <algorithm>
#include <cctype>

#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

namespace {

// The code page of an encoding name as the POSIX side takes them (iconv
// names), so that names such as "GBK" and "UTF-8" mean the same on both.
UINT CodePageOf(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (name == "GBK" || name == "GB2312" || name == "CP936") return 936;
    if (name == "UTF-8" || name == "UTF8") return CP_UTF8;
    if (name == "BIG5") return 950;
    if (name == "SHIFT_JIS" || name == "SJIS") return 932;
    for (const std::string_view prefix : {"CP", "WINDOWS-"}) {
        if (name.size() > prefix.size() && name.starts_with(prefix) &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                        [](unsigned char c) { return std::isdigit(c) != 0; })) {
            const UINT page = static_cast<UINT>(std::stoul(name.substr(prefix.size())));
            if (::IsValidCodePage(page)) return page;
        }
    }
    // ASCII, and names this side does not know: ASCII with the system's
    // best-fit forms (the fullwidth colon becomes ":"), "?" for the rest.
    return 20127;
}

std::string Convert(std::u16string_view text, UINT page)
{
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(page, 0, wide, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(page, 0, wide, size, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

std::string AnsiCodePageName()
{
    return "CP" + std::to_string(::GetACP());
}

std::string ToAnsiCodePage(std::u16string_view text)
{
    return Convert(text, CP_ACP);
}

std::string ToCodePage(std::u16string_view text, const std::string& encoding)
{
    return Convert(text, CodePageOf(encoding));
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, const std::string& encoding)
{
    if (bytes.empty()) return std::string();
    const UINT page = CodePageOf(encoding);
    const int size = static_cast<int>(bytes.size());
    const int n = ::MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (n == 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), n);
    return Narrow(wide);
}

} // namespace sumbrook::platform
