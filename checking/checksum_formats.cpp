#include "checking/checksum_formats.h"

#include <algorithm>
#include <cctype>

#include "checking/algorithms.h"
#include "workflow/file_result.h"
#include "workflow/result_text.h"

namespace sumbrook::checking {

namespace {

bool IsHex(std::string_view text)
{
    return !text.empty() && std::ranges::all_of(text, [](unsigned char c) { return std::isxdigit(c) != 0; });
}

std::string Lower(std::string_view text)
{
    std::string lowered(text);
    std::ranges::transform(lowered, lowered.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lowered;
}

std::string LowerHex(std::span<const std::uint8_t> bytes)
{
    return Lower(workflow::HexText(bytes));
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
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
        if (text[i] == '\\')
            name += '\\';
        else if (text[i] == 'n')
            name += '\n';
        else if (text[i] == 'r')
            name += '\r';
        else
            return std::nullopt;
    }
    return name;
}

bool IsDigestLength(std::size_t digits)
{
    return !DigestsOfHexLength(digits).empty();
}

// "TAG (NAME) = HEX", also "TAG(NAME)= HEX" (OpenSSL) and "TAG   (NAME)" (rhash pads the tag).
// A line of that shape whose tag names no algorithm here leaves the tag in Unknown.
std::optional<ChecksumLine> Bsd(std::string_view text, bool escaped, std::string* unknown = nullptr)
{
    const std::size_t open = text.find('(');
    const std::size_t close = text.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return std::nullopt;
    std::string_view tag = text.substr(0, open);
    while (tag.ends_with(' ')) tag.remove_suffix(1);
    const auto algorithm = AlgorithmOfTag(tag);
    if (tag.empty() || tag.find(' ') != std::string_view::npos) return std::nullopt;
    std::string_view rest = text.substr(close + 1);
    while (rest.starts_with(' ')) rest.remove_prefix(1);
    if (!rest.starts_with('=')) return std::nullopt;
    rest.remove_prefix(1);
    while (rest.starts_with(' ')) rest.remove_prefix(1);
    if (!IsHex(rest)) return std::nullopt;
    if (!algorithm) {
        if (unknown) *unknown = tag;
        return std::nullopt;
    }
    const std::string_view raw = text.substr(open + 1, close - open - 1);
    auto name = escaped ? Unescaped(raw) : std::optional<std::string>(raw);
    if (!name || name->empty()) return std::nullopt;
    return ChecksumLine{LineKind::Bsd, std::move(*name), std::string(rest), algorithm};
}

// "HEX  NAME" or "HEX *NAME"; also "HEX NAME" and "HEX<TAB>NAME", as sha256sum reads them.
std::optional<ChecksumLine> Gnu(std::string_view text, bool escaped)
{
    const std::size_t space = text.find_first_of(" \t");
    if (space == std::string_view::npos || space + 2 > text.size()) return std::nullopt;
    const std::string_view hex = text.substr(0, space);
    if (!IsHex(hex) || !IsDigestLength(hex.size())) return std::nullopt;
    const bool mode = text[space] == ' ' && (text[space + 1] == ' ' || text[space + 1] == '*');
    const std::string_view raw = text.substr(mode ? space + 2 : space + 1);
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
    return ChecksumLine{LineKind::Sfv, std::string(name), std::string(crc), AlgorithmId::Crc32};
}

} // namespace

ParsedLine ParseChecksumLine(std::string_view text)
{
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (text.starts_with(';') || text.starts_with('#') || text.find_first_not_of(" \t") == std::string_view::npos)
        return {std::nullopt, true, {}};
    const bool escaped = text.starts_with('\\');
    const std::string_view body = escaped ? text.substr(1) : text;
    std::string unknown;
    if (auto line = Bsd(body, escaped, &unknown)) return {std::move(line), false, {}};
    if (!unknown.empty()) return {std::nullopt, false, std::move(unknown)};
    if (auto line = Gnu(body, escaped)) return {std::move(line), false, {}};
    if (!escaped)
        if (auto line = Sfv(text)) return {std::move(line), false, {}};
    return {};
}

EscapedName EscapeName(std::string_view name)
{
    if (name.find_first_of("\\\n\r") == std::string_view::npos) return {false, std::string(name)};
    EscapedName escaped{true, {}};
    for (const char c : name) {
        if (c == '\\')
            escaped.Text += "\\\\";
        else if (c == '\n')
            escaped.Text += "\\n";
        else if (c == '\r')
            escaped.Text += "\\r";
        else
            escaped.Text += c;
    }
    return escaped;
}

std::string GnuLine(std::string_view name, std::span<const std::uint8_t> digest, bool zero)
{
    const EscapedName escaped = zero ? EscapedName{false, std::string(name)} : EscapeName(name);
    std::string line = escaped.Escaped ? "\\" : "";
    line.append(LowerHex(digest)).append("  ").append(escaped.Text).append(1, zero ? '\0' : '\n');
    return line;
}

std::string BsdLine(AlgorithmId algorithm, std::string_view name, std::span<const std::uint8_t> digest, bool zero)
{
    const EscapedName escaped = zero ? EscapedName{false, std::string(name)} : EscapeName(name);
    std::string line = escaped.Escaped ? "\\" : "";
    line.append(BsdTag(algorithm)).append(" (").append(escaped.Text).append(") = ").append(LowerHex(digest));
    line.append(1, zero ? '\0' : '\n');
    return line;
}

std::optional<std::string> SfvLine(std::string_view name, std::uint32_t crc, bool zero)
{
    if (name.find_first_of("\n\r") != std::string_view::npos) return std::nullopt;
    const auto value = workflow::DigestValue::OfCrc32(crc);
    std::string line = std::string(name) + ' ' + workflow::HexText(value.Bytes());
    // SFV has no escapes: a name that would read back as a comment, lose its
    // spaces or pass for another format's line cannot be written.
    const ParsedLine back = ParseChecksumLine(line);
    if (!back.Line || back.Line->Kind != LineKind::Sfv || back.Line->Name != name) return std::nullopt;
    return line + (zero ? '\0' : '\n');
}

std::optional<std::vector<std::uint8_t>> ParseDigestHex(AlgorithmId algorithm, std::string_view hex)
{
    if (!IsHex(hex)) return std::nullopt;
    if (algorithm == AlgorithmId::Crc32) {
        if (hex.size() > 8) return std::nullopt;
        std::uint32_t crc = 0;
        for (const char c : hex) crc = crc << 4 | static_cast<std::uint32_t>(HexDigit(c));
        const auto value = workflow::DigestValue::OfCrc32(crc);
        return std::vector<std::uint8_t>(value.Bytes().begin(), value.Bytes().end());
    }
    if (hex.size() != HexLength(algorithm)) return std::nullopt;
    std::vector<std::uint8_t> bytes(hex.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(HexDigit(hex[2 * i]) << 4 | HexDigit(hex[2 * i + 1]));
    return bytes;
}

} // namespace sumbrook::checking
