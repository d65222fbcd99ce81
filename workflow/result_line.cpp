#include "workflow/result_line.h"

#include "digest/engine/DCPcatalogue.h"
#include "workflow/texts.h"

namespace sumbrook::workflow {

QString Crc32Line(std::uint32_t crc)
{
    return kCrcName + kResultSeparator + QString::number(crc, 16).toUpper().rightJustified(6, u'0');
}

QString DigestLine(std::string_view algorithm, std::span<const std::uint8_t> digest)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    const std::string_view name = DisplayName(algorithm);
    QString line = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())) + kResultSeparator;
    line.reserve(line.size() + 2 * static_cast<qsizetype>(digest.size()));
    for (const std::uint8_t b : digest) {
        line += QChar(kDigits[b >> 4]);
        line += QChar(kDigits[b & 15]);
    }
    return line;
}

} // namespace sumbrook::workflow
