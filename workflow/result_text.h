#pragma once

// The text of a file's result lines as the window shows them, in UTF-8: a
// label, the fullwidth colon, the value in upper-case hexadecimal. Every
// edge that writes these lines (the window, the saved file, sumbrook-cli)
// takes them from here.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "workflow/file_result.h"

namespace sumbrook::workflow {

inline constexpr std::string_view kResultSeparatorText = "\xEF\xBC\x9A"; // "："
inline constexpr std::string_view kReadErrorText = "读取文件错误";

// "CRC32_FCS32：" and the value with at least 6 digits (never padded to 8).
std::string Crc32Line(std::uint32_t crc);

// The algorithm's label, "：" and two digits per digest byte.
std::string DigestLine(AlgorithmId algorithm, std::span<const std::uint8_t> digest);

// "CRC32_FCS32：读取文件错误", and "：读取文件错误" standing for every digest.
std::string Crc32ErrorLine();
std::string DigestErrorLine();

// A file's lines: the CRC-32 line, then one line per digest; a pass that
// could not read the file gives its error line instead.
std::vector<std::string> ResultText(const FileResult& result);

// Upper-case hexadecimal, two digits a byte.
std::string HexText(std::span<const std::uint8_t> bytes);

} // namespace sumbrook::workflow
