#include "platform/ansi_codepage.h"

#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

std::string AnsiCodePageName()
{
    return "CP" + std::to_string(::GetACP());
}

std::string ToAnsiCodePage(std::u16string_view text)
{
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    const int n = ::WideCharToMultiByte(CP_ACP, 0, wide, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide, size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string ToCodePage(std::u16string_view text, const std::string& encoding)
{
    if (encoding == "GBK") {
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int size = static_cast<int>(text.size());
        const int n = ::WideCharToMultiByte(936, 0, wide, size, nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<std::size_t>(n), '\0');
        ::WideCharToMultiByte(936, 0, wide, size, out.data(), n, nullptr, nullptr);
        return out;
    }
    return ToAnsiCodePage(text);
}

} // namespace sumbrook::platform
