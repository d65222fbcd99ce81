#include "checking/checksum_listing.h"

#include <algorithm>
#include <optional>

#include "checking/algorithms.h"
#include "checking/checksum_formats.h"
#include "checking/clearsigned_text.h"
#include "checking/result_file.h"
#include "checking/text_decoding.h"
#include "platform/ansi_codepage.h"
#include "platform/file_kind.h"
#include "workflow/native_path.h"

namespace sumbrook::checking {

namespace {

bool Exists(const std::string& path)
{
    return platform::DescribePath(path).Kind != platform::PathInfo::Kind::Missing;
}

std::string PathOfResultName(const std::string& folder, const std::string& name, const std::string& encoding)
{
    const std::string path = ListedPath(folder, name);
    if (encoding.empty() || Exists(path)) return path;
    const std::string legacy = ListedPath(folder, platform::ToCodePage(workflow::Utf16FromNative(name), encoding));
    return Exists(legacy) ? legacy : path;
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

void FromLines(std::string_view text, std::string_view checksumPath, const std::string& folder,
               ChecksumListing& listing)
{
    const std::optional<AlgorithmId> named = AlgorithmOfFileName(checksumPath);
    ClearsignedText clearsigned;
    for (std::size_t number = 1; !text.empty(); ++number) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (number == 1) line = WithoutByteOrderMark(line);
        if (!clearsigned.Keep(line)) continue;
        ParsedLine parsed = ParseChecksumLine(line);
        if (parsed.Comment) continue;
        if (!parsed.Line) {
            listing.MalformedLines.push_back(number);
            continue;
        }
        ChecksumLine& entry = *parsed.Line;
        const auto algorithm = entry.Algorithm ? entry.Algorithm : GnuAlgorithm(entry.Hex.size(), named);
        auto value = algorithm ? ParseDigestHex(*algorithm, entry.Hex) : std::nullopt;
        if (!value || entry.Hex.size() != HexLength(*algorithm)) {
            listing.MalformedLines.push_back(number);
            continue;
        }
        const std::string path = ListedPath(folder, entry.Name);
        // Lines in a row for one file (BSD lines of several algorithms) read it once.
        if (listing.Files.empty() || listing.Files.back().Path != path) listing.Files.push_back({entry.Name, path, {}});
        listing.Files.back().Values.push_back({*algorithm, std::move(*value)});
    }
    listing.SignatureSkipped = clearsigned.Skipped;
}

} // namespace

std::string ListedPath(const std::string& folder, const std::string& name)
{
    return workflow::IsRootedPath(name) ? name : folder + name;
}

ChecksumListing ListResultFile(std::string_view bytes, const std::string& folder)
{
    ChecksumListing listing;
    const auto text = ResultFileTextAsUtf8(bytes);
    if (!text) {
        listing.Undecodable = true;
        return listing;
    }
    ResultFile file = ParseResultFile(text->Utf8);
    listing.MalformedLines = std::move(file.MalformedLines);
    for (const ResultEntry& entry : file.Entries) {
        if (entry.Values.empty()) continue;
        ListedFile listed{entry.Name, PathOfResultName(folder, entry.Name, text->Encoding), {}};
        for (const ResultValue& value : entry.Values) listed.Values.push_back({value.Algorithm, value.Value});
        listing.Files.push_back(std::move(listed));
    }
    return listing;
}

std::string FolderOfChecksumFile(std::string_view path)
{
    if (path == "-") return {};
    return std::string(path.substr(0, workflow::FileNameStart(path)));
}

ChecksumListing ListChecksumFile(std::string_view bytes, std::string_view checksumPath)
{
    const std::string folder = FolderOfChecksumFile(checksumPath);
    if (LooksLikeResultFile(bytes)) return ListResultFile(bytes, folder);
    ChecksumListing listing;
    FromLines(bytes, checksumPath, folder, listing);
    return listing;
}

} // namespace sumbrook::checking
