#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

namespace sumbrook::workflow {

#if defined(_WIN32)
inline constexpr char16_t kFolderSeparator = u'\\';
#else
inline constexpr char16_t kFolderSeparator = u'/';
#endif

// The part of a path after its last folder separator.
QString FileNameOf(const QString& path);

// The size in kilobytes with at most two decimals, rounded half to even, and
// "KB": 0 "0KB", 128 "0.12KB", 1536 "1.5KB".
QString SizeText(std::uint64_t bytes);

// The program name an entry's text may start with, for the icon fallback:
// trimmed, A-Z lowered, cut after the first extension or after ".exe".
QString Getname(const QString& text);

// A path in the platform's own encoding, for the platform calls: on Linux
// the very bytes it was listed, named or dropped with (see PathFromNative).
std::string NativePath(const QString& path);

// A path the platform gave, kept losslessly: UTF-8 is decoded, and each byte
// that is not part of valid UTF-8 (Linux allows any byte in a name but "/"
// and NUL) is kept as the lone surrogate U+DC80 + (byte - 0x80), which
// NativePath turns back into that byte.
QString PathFromNative(std::string_view bytes);

// A path or name as shown and exported: the kept bytes as U+FFFD.
QString ShownText(const QString& path);

} // namespace sumbrook::workflow
