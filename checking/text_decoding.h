#pragma once

// Text of the window's result file back to UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace sumbrook::checking {

struct DecodedText {
    std::string Utf8;
    std::string Encoding; // the file's encoding; empty for UTF-8
};

// UTF-8 after a byte-order mark or when the bytes are valid UTF-8 (a result
// line in GBK never is: its colon is A3 BA), otherwise the locale's ANSI code
// page, then GBK. Nothing when no decoding fits.
std::optional<DecodedText> ResultFileTextAsUtf8(std::string_view bytes);

bool IsValidUtf8(std::string_view bytes);

// Bytes after the UTF-8 byte-order mark that may start a file, or all of them.
inline std::string_view WithoutByteOrderMark(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return bytes;
}

} // namespace sumbrook::checking
