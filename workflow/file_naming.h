#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <string_view>

#include "workflow/native_path.h"

namespace sumbrook::workflow {

// The part of a path after its last folder separator.
QString FileNameOf(const QString& path);

// The size in kilobytes with at most two decimals, rounded half to even, and
// "KB": 0 "0KB", 128 "0.12KB", 1536 "1.5KB".
QString SizeText(std::uint64_t bytes);

// The program name an entry's text may start with, for the icon fallback:
// trimmed, A-Z lowered, cut after the first extension or after ".exe".
QString Getname(const QString& text);

// The QString forms of native_path.h's conversions.
std::string NativePath(const QString& path);
QString PathFromNative(std::string_view bytes);
QString ShownText(const QString& path);

// QString to and from the standard library's UTF-16.
std::u16string_view Utf16Of(const QString& text);
QString FromUtf16(std::u16string_view text);

} // namespace sumbrook::workflow
