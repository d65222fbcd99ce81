#include "checking/algorithms.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

#include "workflow/native_path.h"

namespace sumbrook::checking {

namespace {

struct Names {
    std::string_view Option;
    std::string_view Bsd;
    std::array<std::string_view, 4> Aliases; // upper case, without dashes, underscores or slashes
    std::array<std::string_view, 3> Extensions;
};

// In AlgorithmId order.
constexpr std::array<Names, kAlgorithmCount> kNames = {{
    {"crc32", "CRC32", {"CRC32"}, {"sfv", "crc32", "crc"}},
    {"sha1", "SHA1", {"SHA1", "SHA", "SHA160"}, {"sha1", "sha"}},
    // The window's HAVAL pads with 0x80: its own tag, never the published name.
    {"haval256", "HAVAL256-0x80", {"HAVAL2560X80"}, {}},
    {"md4", "MD4", {"MD4"}, {"md4"}},
    {"ripemd128", "RIPEMD128", {"RIPEMD128", "RMD128"}, {"rmd128", "ripemd128"}},
    {"ripemd160", "RMD160", {"RMD160", "RIPEMD160", "RIPEMD"}, {"rmd160", "ripemd160", "rmd"}},
    {"sha256", "SHA256", {"SHA256", "SHA2256"}, {"sha256"}},
    {"sha384", "SHA384", {"SHA384", "SHA2384"}, {"sha384"}},
    {"sha512", "SHA512", {"SHA512", "SHA2512"}, {"sha512"}},
    {"tiger192", "TIGER", {"TIGER", "TIGER192", "TIGER1923"}, {"tiger", "tiger192"}},
    {"md5", "MD5", {"MD5"}, {"md5"}},
    {"haval256-published", "HAVAL256", {"HAVAL256", "HAVAL2565", "HAVAL5256", "HAVAL"}, {"haval256", "haval"}},
}};

const Names& NamesOf(AlgorithmId algorithm)
{
    return kNames[IndexOf(algorithm)];
}

std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    std::ranges::transform(lowered, lowered.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

} // namespace

std::string_view OptionName(AlgorithmId algorithm)
{
    return NamesOf(algorithm).Option;
}

std::string_view BsdTag(AlgorithmId algorithm)
{
    return NamesOf(algorithm).Bsd;
}

std::size_t HexLength(AlgorithmId algorithm)
{
    return 2 * InfoOf(algorithm).DigestBytes;
}

std::optional<AlgorithmId> AlgorithmOfTag(std::string_view tag)
{
    std::string key;
    for (const char c : tag)
        if (c != '-' && c != '_' && c != '/') key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (key.empty()) return std::nullopt;
    for (const AlgorithmId a : AlgorithmSet::All())
        if (std::ranges::find(NamesOf(a).Aliases, key) != NamesOf(a).Aliases.end()) return a;
    return std::nullopt;
}

std::optional<AlgorithmId> AlgorithmOfLabel(std::string_view label)
{
    const std::string key = Lowered(label);
    for (const AlgorithmId a : AlgorithmSet::All())
        if (Lowered(InfoOf(a).Name) == key) return a;
    return std::nullopt;
}

std::optional<AlgorithmId> AlgorithmOfFileName(std::string_view path)
{
    std::string name = Lowered(path.substr(workflow::FileNameStart(path)));
    // "SHA256SUMS", "md5sum.txt"
    for (const std::string_view tail : {".txt", "sums", "sum"})
        if (name.ends_with(tail)) name.resize(name.size() - tail.size());
    const std::size_t dot = name.find_last_of('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(dot + 1);
    if (stem.empty()) return std::nullopt;
    for (const AlgorithmId a : AlgorithmSet::All())
        if (std::ranges::find(NamesOf(a).Extensions, stem) != NamesOf(a).Extensions.end()) return a;
    return std::nullopt;
}

std::vector<AlgorithmId> DigestsOfHexLength(std::size_t digits)
{
    std::vector<AlgorithmId> found;
    for (const AlgorithmId a : AlgorithmSet::All().Digests())
        if (HexLength(a) == digits) found.push_back(a);
    return found;
}

std::optional<AlgorithmId> UsualOfHexLength(std::size_t digits)
{
    for (const AlgorithmId a :
         {AlgorithmId::Md5, AlgorithmId::Sha1, AlgorithmId::Sha256, AlgorithmId::Sha384, AlgorithmId::Sha512})
        if (HexLength(a) == digits) return a;
    return std::nullopt;
}

} // namespace sumbrook::checking
