#include "cli/algorithms.h"

#include <algorithm>
#include <cctype>

namespace sumbrook::cli {

namespace {

struct Names {
    std::string_view Bsd;
    std::array<std::string_view, 4> Aliases; // upper case, without dashes, underscores or slashes
    std::array<std::string_view, 3> Extensions;
};

// Catalogue order, then CRC-32.
constexpr std::array<Names, kAlgorithmCount> kNames = {{
    {"SHA1", {"SHA1", "SHA", "SHA160"}, {"sha1", "sha"}},
    {"HAVAL256", {"HAVAL256", "HAVAL2565", "HAVAL5256", "HAVAL"}, {"haval256", "haval"}},
    {"MD4", {"MD4"}, {"md4"}},
    {"RIPEMD128", {"RIPEMD128", "RMD128"}, {"rmd128", "ripemd128"}},
    {"RMD160", {"RMD160", "RIPEMD160", "RIPEMD"}, {"rmd160", "ripemd160", "rmd"}},
    {"SHA256", {"SHA256", "SHA2256"}, {"sha256"}},
    {"SHA384", {"SHA384", "SHA2384"}, {"sha384"}},
    {"SHA512", {"SHA512", "SHA2512"}, {"sha512"}},
    {"TIGER", {"TIGER", "TIGER192", "TIGER1923"}, {"tiger", "tiger192"}},
    {"MD5", {"MD5"}, {"md5"}},
    {"CRC32", {"CRC32"}, {"sfv", "crc32", "crc"}},
}};

std::string Lowered(std::string_view text)
{
    std::string lowered(text);
    std::ranges::transform(lowered, lowered.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

} // namespace

std::string_view ResultLabel(std::size_t algorithm)
{
    return algorithm == kCrc32 ? std::string_view("CRC32_FCS32") : AlgorithmCatalogue().at(algorithm).DisplayName;
}

std::string_view OptionName(std::size_t algorithm)
{
    return algorithm == kCrc32 ? std::string_view("crc32") : AlgorithmCatalogue().at(algorithm).Option;
}

std::string_view BsdTag(std::size_t algorithm)
{
    return kNames.at(algorithm).Bsd;
}

std::size_t HexLength(std::size_t algorithm)
{
    return algorithm == kCrc32 ? 8 : static_cast<std::size_t>(AlgorithmCatalogue().at(algorithm).HashSize) / 4;
}

std::optional<std::size_t> AlgorithmOfTag(std::string_view tag)
{
    std::string key;
    for (const char c : tag)
        if (c != '-' && c != '_' && c != '/') key += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (std::size_t a = 0; a < kAlgorithmCount; ++a)
        if (std::ranges::find(kNames[a].Aliases, key) != kNames[a].Aliases.end() && !key.empty()) return a;
    return std::nullopt;
}

std::optional<std::size_t> AlgorithmOfLabel(std::string_view label)
{
    const std::string key = Lowered(label);
    for (std::size_t a = 0; a < kAlgorithmCount; ++a)
        if (Lowered(ResultLabel(a)) == key) return a;
    return std::nullopt;
}

std::optional<std::size_t> AlgorithmOfFileName(std::string_view path)
{
    std::string name = Lowered(path.substr(path.find_last_of('/') + 1));
    // "SHA256SUMS", "md5sum.txt"
    for (const std::string_view tail : {".txt", "sums", "sum"})
        if (name.ends_with(tail)) name.resize(name.size() - tail.size());
    const std::size_t dot = name.find_last_of('.');
    const std::string stem = dot == std::string::npos ? name : name.substr(dot + 1);
    for (std::size_t a = 0; a < kAlgorithmCount; ++a)
        if (std::ranges::find(kNames[a].Extensions, stem) != kNames[a].Extensions.end() && !stem.empty()) return a;
    return std::nullopt;
}

std::vector<std::size_t> DigestsOfHexLength(std::size_t digits)
{
    std::vector<std::size_t> found;
    for (std::size_t a = 0; a < kCatalogueSize; ++a)
        if (HexLength(a) == digits) found.push_back(a);
    return found;
}

} // namespace sumbrook::cli
