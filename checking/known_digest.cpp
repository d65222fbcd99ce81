#include "checking/known_digest.h"

#include <algorithm>
#include <cctype>

#include "checking/algorithms.h"
#include "checking/checksum_formats.h"

namespace sumbrook::checking {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && space(text.front())) text.remove_prefix(1);
    while (!text.empty() && space(text.back())) text.remove_suffix(1);
    return text;
}

// Hex digits with any spaces between them, the spaces taken out; nothing
// when anything else is there.
std::optional<std::string> SpacedHex(std::string_view text)
{
    std::string hex;
    for (const char c : text) {
        if (c == ' ' || c == '\t') continue;
        if (std::isxdigit(static_cast<unsigned char>(c)) == 0) return std::nullopt;
        hex += c;
    }
    return hex;
}

std::optional<KnownDigest> OfHex(std::string_view hex, std::vector<AlgorithmId> candidates, std::string name)
{
    // The window's results hold the window's algorithms only.
    std::erase_if(candidates, [](AlgorithmId id) { return !kWindowAlgorithms.Contains(id); });
    if (candidates.empty()) return std::nullopt;
    auto value = ParseDigestHex(candidates.front(), hex);
    if (!value || hex.size() != HexLength(candidates.front())) return std::nullopt;
    return KnownDigest{std::move(*value), std::move(candidates), std::move(name)};
}

} // namespace

std::optional<KnownDigest> ParseKnownDigest(std::string_view text)
{
    text = Trimmed(text);
    // Only the first line of what was pasted.
    text = Trimmed(text.substr(0, text.find('\n')));
    if (const auto hex = SpacedHex(text)) {
        // CRC-32 is no digest one finds published beside a download.
        return OfHex(*hex, DigestsOfHexLength(hex->size()), {});
    }
    const ParsedLine parsed = ParseChecksumLine(text);
    if (!parsed.Line || parsed.Line->Kind == LineKind::Sfv) return std::nullopt;
    const ChecksumLine& line = *parsed.Line;
    std::vector<AlgorithmId> candidates =
        line.Algorithm ? std::vector<AlgorithmId>{*line.Algorithm} : DigestsOfHexLength(line.Hex.size());
    return OfHex(line.Hex, std::move(candidates), line.Name);
}

} // namespace sumbrook::checking
