#include "workflow/result_text.h"

#include <algorithm>
#include <ranges>

namespace sumbrook::workflow {

std::string HexText(std::span<const std::uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (const std::uint8_t b : bytes) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

std::string Crc32Line(std::uint32_t crc)
{
    const auto value = DigestValue::OfCrc32(crc);
    std::string hex = HexText(value.Bytes());
    // Leading zeros go, down to six digits.
    const std::size_t extra = std::min(hex.find_first_not_of('0'), std::size_t{2});
    hex.erase(0, extra);
    return std::string(InfoOf(AlgorithmId::Crc32).Name).append(kResultSeparatorText).append(hex);
}

std::string DigestLine(AlgorithmId algorithm, std::span<const std::uint8_t> digest)
{
    return std::string(InfoOf(algorithm).Name).append(kResultSeparatorText).append(HexText(digest));
}

std::string Crc32ErrorLine()
{
    return std::string(InfoOf(AlgorithmId::Crc32).Name).append(kResultSeparatorText).append(kReadErrorText);
}

std::string DigestErrorLine()
{
    return std::string(kResultSeparatorText).append(kReadErrorText);
}

std::vector<std::string> ResultText(const FileResult& result)
{
    std::vector<std::string> lines;
    if (const AlgorithmResult* crc = result.Find(AlgorithmId::Crc32))
        lines.push_back(crc->Failed ? Crc32ErrorLine() : Crc32Line(crc->Value.AsCrc32()));
    const auto isDigest = [](const AlgorithmResult& r) { return r.Algorithm != AlgorithmId::Crc32; };
    const auto failedDigest = [&](const AlgorithmResult& r) { return isDigest(r) && r.Failed; };
    // One error line stands for every digest.
    if (std::ranges::any_of(result.Values, failedDigest)) {
        lines.push_back(DigestErrorLine());
        return lines;
    }
    for (const AlgorithmResult& r : result.Values | std::views::filter(isDigest))
        lines.push_back(DigestLine(r.Algorithm, r.Value.Bytes()));
    return lines;
}

} // namespace sumbrook::workflow
