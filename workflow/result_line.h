#pragma once

// The text of result lines: a label, the fullwidth colon, the value in
// upper-case hexadecimal.

#include <QString>

#include <cstdint>
#include <span>
#include <string_view>

namespace sumbrook::workflow {

// "CRC32_FCS32：" and the value with at least 6 digits (never padded to 8).
QString Crc32Line(std::uint32_t crc);

// The display name of the algorithm, "：" and two digits per digest byte.
QString DigestLine(std::string_view algorithm, std::span<const std::uint8_t> digest);

} // namespace sumbrook::workflow
