#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sumbrook::platform {

// The legacy multi-byte encoding that stands for the Windows ANSI code page:
// GBK under a Simplified Chinese locale, otherwise the locale's charset.
std::string AnsiCodePageName();

// UTF-16 text in the ANSI code page; characters it lacks become "?".
std::string ToAnsiCodePage(std::u16string_view text);

// The same with a named encoding (an iconv name such as "GBK").
std::string ToCodePage(std::u16string_view text, const std::string& encoding);

// Bytes in a named encoding as UTF-8; nothing when the encoding is unknown or
// the bytes are not valid in it.
std::optional<std::string> CodePageToUtf8(std::string_view bytes, const std::string& encoding);

} // namespace sumbrook::platform
