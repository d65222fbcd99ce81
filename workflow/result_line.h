#pragma once

// The text of result lines: a label, the fullwidth colon, the value in
// upper-case hexadecimal.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>
#include <string_view>

#include "workflow/file_result.h"

namespace sumbrook::workflow {

// "CRC32_FCS32：" and the value with at least 6 digits (never padded to 8).
QString Crc32Line(std::uint32_t crc);

// The display name of the algorithm, "：" and two digits per digest byte.
QString DigestLine(std::string_view algorithm, std::span<const std::uint8_t> digest);

// A file's lines in the results tree: the CRC-32 line, then one line per
// digest; a pass that could not read the file gives its error line instead
// ("CRC32_FCS32：读取文件错误", and one "：读取文件错误" for all digests).
QStringList ResultLines(const FileResult& result);

} // namespace sumbrook::workflow
