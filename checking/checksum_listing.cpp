#include "checking/checksum_listing.h"

#include <algorithm>
#include <optional>

#include "checking/algorithms.h"
#include "checking/checksum_formats.h"
#include "checking/result_file.h"
#include "checking/text_decoding.h"

namespace sumbrook::checking {

namespace {

std::string FolderOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string Under(const std::string& folder, const std::string& name)
{
    return name.starts_with('/') ? name : folder + name;
}

std::optional<AlgorithmId> GnuAlgorithm(std::size_t digits, std::optional<AlgorithmId> named)
{
    const std::vector<AlgorithmId> fitting = DigestsOfHexLength(digits);
    if (fitting.empty()) return std::nullopt;
    if (named && std::ranges::find(fitting, *named) != fitting.end()) return named;
    if (fitting.size() == 1) return fitting.front();
    for (const AlgorithmId usual : {AlgorithmId::Md5, AlgorithmId::Sha1})
        if (std::ranges::find(fitting, usual) != fitting.end()) return usual;
    return fitting.front();
}

void FromResultFile(std::string_view bytes, const std::string& folder, ChecksumListing& listing)
{
    const auto text = ResultFileTextAsUtf8(bytes);
    if (!text) {
        listing.Undecodable = true;
        return;
    }
    const ResultFile file = ParseResultFile(*text);
    listing.MalformedLines += file.MalformedLines.size();
    for (const ResultEntry& entry : file.Entries) {
        if (entry.Values.empty()) continue;
        ListedFile listed{entry.Name, Under(folder, entry.Name), {}};
        for (const ResultValue& value : entry.Values) listed.Values.push_back({value.Algorithm, value.Value});
        listing.Files.push_back(std::move(listed));
    }
}

void FromLines(std::string_view text, std::string_view checksumPath, const std::string& folder,
               ChecksumListing& listing)
{
    const std::optional<AlgorithmId> named = AlgorithmOfFileName(checksumPath);
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ParsedLine parsed = ParseChecksumLine(line);
        if (parsed.Comment) continue;
        if (!parsed.Line) {
            ++listing.MalformedLines;
            continue;
        }
        ChecksumLine& entry = *parsed.Line;
        const auto algorithm = entry.Algorithm ? entry.Algorithm : GnuAlgorithm(entry.Hex.size(), named);
        auto value = algorithm ? ParseDigestHex(*algorithm, entry.Hex) : std::nullopt;
        if (!value || entry.Hex.size() != HexLength(*algorithm)) {
            ++listing.MalformedLines;
            continue;
        }
        const std::string path = Under(folder, entry.Name);
        // Lines in a row for one file (BSD lines of several algorithms) read it once.
        if (listing.Files.empty() || listing.Files.back().Path != path) listing.Files.push_back({entry.Name, path, {}});
        listing.Files.back().Values.push_back({*algorithm, std::move(*value)});
    }
}

} // namespace

ChecksumListing ListChecksumFile(std::string_view bytes, std::string_view checksumPath)
{
    ChecksumListing listing;
    const std::string folder = FolderOf(checksumPath);
    if (LooksLikeResultFile(bytes))
        FromResultFile(bytes, folder, listing);
    else
        FromLines(bytes, checksumPath, folder, listing);
    return listing;
}

} // namespace sumbrook::checking
