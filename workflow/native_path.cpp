#include "workflow/native_path.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "base/utf16_to_utf8.h"
#include "platform/ansi_codepage.h"

namespace sumbrook::workflow {

namespace {

constexpr char16_t kKeptByteBase = 0xDC00; // U+DC80..U+DCFF stand for the bytes 0x80..0xFF

// A lone low surrogate at Text[At] that stands for a byte.
bool IsKeptByteAt(std::u16string_view text, std::size_t at)
{
    const bool pairedWithHigh = at > 0 && text[at - 1] >= 0xD800 && text[at - 1] <= 0xDBFF;
    return text[at] >= 0xDC80 && text[at] <= 0xDCFF && !pairedWithHigh;
}

} // namespace

std::u16string_view FileNameOf(std::u16string_view path)
{
    // Every separator is ASCII, so the UTF-16 units compare as the bytes.
    std::size_t start = path.size();
    while (start > 0 && !(path[start - 1] < 0x80 && IsFolderSeparator(static_cast<char>(path[start - 1])))) --start;
    return path.substr(start);
}

bool IsRootedPath(std::string_view path)
{
#if defined(_WIN32)
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) return true;
#endif
    return !path.empty() && path.front() != ':' && IsFolderSeparator(path.front());
}

std::string NativePath(std::u16string_view path)
{
    std::string bytes;
#if defined(_WIN32)
    // UTF-8; the Win32 side widens it again.
    AppendUtf8(bytes, path, [](std::string& into, char16_t) { into += "\xEF\xBF\xBD"; });
#else
    // A kept byte (a lone U+DC80..U+DCFF) is that byte again; any other
    // lone surrogate cannot come from a file name and is written as U+FFFD.
    AppendUtf8(bytes, path, [](std::string& into, char16_t c) {
        if (c >= 0xDC80 && c <= 0xDCFF)
            into += static_cast<char>(c - kKeptByteBase);
        else
            into += "\xEF\xBF\xBD";
    });
#endif
    return bytes;
}

std::u16string Utf16FromNative(std::string_view bytes)
{
    std::u16string path;
    path.reserve(bytes.size());
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = byte(i);
        std::size_t length = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            length = 1, c = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, c = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, c = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, c = lead & 0x07, least = 0x10000;
        }
        bool valid = length > 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
        valid = valid && c >= least && !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
        if (!valid) {
            path += static_cast<char16_t>(kKeptByteBase + lead);
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            path += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            path += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            path += static_cast<char16_t>(c);
        }
        i += length;
    }
    return path;
}

std::u16string ShownText(std::u16string_view path)
{
    // A name in bytes that are no UTF-8 most likely comes from a system that
    // wrote the legacy encoding (GBK names from an older disk or archive):
    // each such name is shown in the code page where its bytes are valid
    // there, which is also how the result file writes it back.
    std::u16string shown;
    std::optional<std::string> codePage; // looked up at the first such name
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(path.find(kFolderSeparator, start), path.size());
        const std::u16string_view name = path.substr(start, end - start);
        bool kept = false;
        for (std::size_t i = 0; i < name.size() && !kept; ++i) kept = IsKeptByteAt(name, i);
        std::optional<std::string> decoded;
#if !defined(_WIN32) // Windows names are UTF-16: no bytes to decode
        if (kept) {
            if (!codePage) codePage = platform::AnsiCodePageName();
            decoded = platform::CodePageToUtf8(NativePath(name), *codePage);
        }
#endif
        if (decoded) {
            shown += Utf16FromNative(*decoded);
        } else {
            for (std::size_t i = 0; i < name.size(); ++i) shown += IsKeptByteAt(name, i) ? u'\uFFFD' : name[i];
        }
        if (end == path.size()) return shown;
        shown += kFolderSeparator;
        start = end + 1;
    }
}

} // namespace sumbrook::workflow
