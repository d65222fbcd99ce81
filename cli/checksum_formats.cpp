#include "cli/checksum_formats.h"

#include <algorithm>
#include <cctype>

#include "cli/algorithms.h"

namespace sumbrook::cli {

namespace {

bool IsHex(std::string_view text)
{
    return !text.empty() && std::ranges::all_of(text, [](unsigned char c) { return std::isxdigit(c) != 0; });
}

std::string Lower(std::string_view text)
{
    std::string lowered(text);
    std::ranges::transform(lowered, lowered.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

std::string Upper(std::string_view text)
{
    std::string raised(text);
    std::ranges::transform(raised, raised.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return raised;
}

// "\\", "\n" and "\r" back to their characters; nothing for any other escape.
std::optional<std::string> Unescaped(std::string_view text)
{
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            name += text[i];
            continue;
        }
        if (++i == text.size()) return std::nullopt;
        if (text[i] == '\\') name += '\\';
        else if (text[i] == 'n') name += '\n';
        else if (text[i] == 'r') name += '\r';
        else return std::nullopt;
    }
    return name;
}

bool IsDigestLength(std::size_t digits)
{
    return !DigestsOfHexLength(digits).empty();
}

// "TAG (NAME) = HEX", also "TAG(NAME)= HEX" (OpenSSL) and "TAG   (NAME)" (rhash pads the tag).
std::optional<ChecksumLine> Bsd(std::string_view text, bool escaped)
{
    const std::size_t open = text.find('(');
    const std::size_t close = text.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return std::nullopt;
    std::string_view tag = text.substr(0, open);
    while (tag.ends_with(' ')) tag.remove_suffix(1);
    const auto algorithm = AlgorithmOfTag(tag);
    if (!algorithm || tag.find(' ') != std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(close + 1);
    while (rest.starts_with(' ')) rest.remove_prefix(1);
    if (!rest.starts_with('=')) return std::nullopt;
    rest.remove_prefix(1);
    while (rest.starts_with(' ')) rest.remove_prefix(1);
    if (!IsHex(rest)) return std::nullopt;
    const std::string_view raw = text.substr(open + 1, close - open - 1);
    auto name = escaped ? Unescaped(raw) : std::optional<std::string>(raw);
    if (!name || name->empty()) return std::nullopt;
    return ChecksumLine{LineKind::Bsd, std::move(*name), std::string(rest), algorithm};
}

// "HEX  NAME" or "HEX *NAME".
std::optional<ChecksumLine> Gnu(std::string_view text, bool escaped)
{
    const std::size_t space = text.find(' ');
    if (space == std::string_view::npos || space + 2 > text.size()) return std::nullopt;
    const std::string_view hex = text.substr(0, space);
    if (!IsHex(hex) || !IsDigestLength(hex.size())) return std::nullopt;
    if (text[space + 1] != ' ' && text[space + 1] != '*') return std::nullopt;
    const std::string_view raw = text.substr(space + 2);
    auto name = escaped ? Unescaped(raw) : std::optional<std::string>(raw);
    if (!name || name->empty()) return std::nullopt;
    return ChecksumLine{LineKind::Gnu, std::move(*name), std::string(hex), std::nullopt};
}

// "NAME CRC32", the name may hold spaces.
std::optional<ChecksumLine> Sfv(std::string_view text)
{
    const std::size_t space = text.rfind(' ');
    if (space == std::string_view::npos) return std::nullopt;
    const std::string_view crc = text.substr(space + 1);
    std::string_view name = text.substr(0, space);
    while (name.ends_with(' ')) name.remove_suffix(1);
    if (crc.size() != 8 || !IsHex(crc) || name.empty()) return std::nullopt;
    return ChecksumLine{LineKind::Sfv, std::string(name), std::string(crc), kCrc32};
}

} // namespace

ParsedLine ParseChecksumLine(std::string_view text)
{
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (text.starts_with(';') || text.find_first_not_of(" \t") == std::string_view::npos) return {std::nullopt, true};
    const bool escaped = text.starts_with('\\');
    const std::string_view body = escaped ? text.substr(1) : text;
    if (auto line = Bsd(body, escaped)) return {std::move(line)};
    if (auto line = Gnu(body, escaped)) return {std::move(line)};
    if (!escaped)
        if (auto line = Sfv(text)) return {std::move(line)};
    return {};
}

EscapedName EscapeName(std::string_view name)
{
    if (name.find_first_of("\\\n\r") == std::string_view::npos) return {false, std::string(name)};
    EscapedName escaped{true, {}};
    for (const char c : name) {
        if (c == '\\') escaped.Text += "\\\\";
        else if (c == '\n') escaped.Text += "\\n";
        else if (c == '\r') escaped.Text += "\\r";
        else escaped.Text += c;
    }
    return escaped;
}

std::string GnuLine(std::string_view name, std::string_view hex)
{
    const EscapedName escaped = EscapeName(name);
    std::string line = escaped.Escaped ? "\\" : "";
    line.append(Lower(hex)).append("  ").append(escaped.Text).append(1, '\n');
    return line;
}

std::string BsdLine(std::size_t algorithm, std::string_view name, std::string_view hex)
{
    const EscapedName escaped = EscapeName(name);
    std::string line = escaped.Escaped ? "\\" : "";
    line.append(BsdTag(algorithm)).append(" (").append(escaped.Text).append(") = ").append(Lower(hex)).append(1, '\n');
    return line;
}

std::optional<std::string> SfvLine(std::string_view name, std::string_view crcHex)
{
    if (name.find_first_of("\n\r") != std::string_view::npos) return std::nullopt;
    std::string crc = Upper(crcHex);
    if (crc.size() < 8) crc.insert(0, 8 - crc.size(), '0');
    return std::string(name) + ' ' + crc + '\n';
}

} // namespace sumbrook::cli
