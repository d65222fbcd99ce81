#pragma once

// Paths between the platform's bytes and UTF-16 text, losslessly, and the
// parts of a path that are shown and exported. Standard library only: the
// window's QString forms in file_naming.h call these.

#include <string>
#include <string_view>

namespace sumbrook::workflow {

#if defined(_WIN32)
inline constexpr char16_t kFolderSeparator = u'\\';
#else
inline constexpr char16_t kFolderSeparator = u'/';
#endif

// The characters that end a folder in a path: "/", and on Windows "\\" and
// the ":" of a drive ("C:name" is a name in C:'s current folder).
#if defined(_WIN32)
inline constexpr std::string_view kFolderSeparators = "\\/:";
#else
inline constexpr std::string_view kFolderSeparators = "/";
#endif

constexpr bool IsFolderSeparator(char c)
{
    return kFolderSeparators.find(c) != std::string_view::npos;
}

// Where a path's file name starts: just after its last folder separator.
constexpr std::size_t FileNameStart(std::string_view path)
{
    const std::size_t cut = path.find_last_of(kFolderSeparators);
    return cut == std::string_view::npos ? 0 : cut + 1;
}

// A path that does not go on from the current folder: "/x", and on Windows
// "\\x" and "C:..." too.
bool IsRootedPath(std::string_view path);

// The part of a path after its last folder separator.
std::u16string_view FileNameOf(std::u16string_view path);

// A path in the platform's own encoding, for the platform calls: on Linux
// the very bytes it was listed, named or dropped with (see Utf16FromNative).
std::string NativePath(std::u16string_view path);

// A path the platform gave, kept losslessly: UTF-8 is decoded, and each byte
// that is not part of valid UTF-8 (Linux allows any byte in a name but "/"
// and NUL) is kept as the lone surrogate U+DC80 + (byte - 0x80), which
// NativePath turns back into that byte.
std::u16string Utf16FromNative(std::string_view bytes);

// A path or name as shown and exported: a name with kept bytes in the ANSI
// code page (GBK under zh_CN) where its bytes are valid there, otherwise
// with each kept byte as U+FFFD.
std::u16string ShownText(std::u16string_view path);

} // namespace sumbrook::workflow
