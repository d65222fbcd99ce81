#pragma once

#include <QString>

#include <cstdint>
#include <string>

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

// A path in the platform's own encoding, for the platform calls.
std::string NativePath(const QString& path);

} // namespace sumbrook::workflow
