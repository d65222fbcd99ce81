#include "workflow/result_line.h"

#include <algorithm>
#include <ranges>

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

QStringList ResultLines(const FileResult& result)
{
    QStringList lines;
    if (const AlgorithmResult* crc = result.Find(AlgorithmId::Crc32))
        lines << (crc->Failed ? kCrcErrorLine : Crc32Line(crc->Value.AsCrc32()));
    const auto isDigest = [](const AlgorithmResult& r) { return r.Algorithm != AlgorithmId::Crc32; };
    const auto failedDigest = [&](const AlgorithmResult& r) { return isDigest(r) && r.Failed; };
    // One error line stands for every digest.
    if (std::ranges::any_of(result.Values, failedDigest)) return lines << kDigestErrorLine;
    for (const AlgorithmResult& r : result.Values | std::views::filter(isDigest))
        lines << DigestLine(InfoOf(r.Algorithm).Name, r.Value.Bytes());
    return lines;
}

} // namespace sumbrook::workflow
