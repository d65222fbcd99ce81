#include "cli/standard_output.h"

#include <algorithm>
#include <cctype>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sumbrook::cli {

StandardOutput::StandardOutput(bool open)
{
    if (!open) Fail(EBADF);
}

void StandardOutput::Write(std::string_view bytes)
{
    if (failed_ || bytes.empty()) return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) Fail(errno);
}

void StandardOutput::Flush()
{
    if (!failed_ && std::fflush(stdout) != 0) Fail(errno);
}

void StandardOutput::Fail(int error)
{
    failed_ = true;
    if (error != EPIPE) Complain(std::string("write error: ") + std::strerror(error));
}

void Complain(const std::string& message)
{
    // One line per message: a control character of a name (a line end, an
    // escape sequence) is shown as an escape, never sent to the terminal.
    std::string line;
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F)
            line += c;
        else if (c == '\n')
            line += "\\n";
        else if (c == '\r')
            line += "\\r";
        else if (c == '\t')
            line += "\\t";
        else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            line += escaped;
        }
    }
    std::fprintf(stderr, "sumbrook-cli: %s\n", line.c_str());
    std::fflush(stderr);
}

std::string PrintedPath(std::string_view path)
{
#if defined(_WIN32)
    // There "\\" separates folders and is in no name: it alone calls for no escape.
    constexpr std::string_view kCallForEscape = "\n\r";
#else
    constexpr std::string_view kCallForEscape = "\\\n\r";
#endif
    if (path.find_first_of(kCallForEscape) == std::string_view::npos) return std::string(path);
    std::string printed = "\\";
    for (const char c : path) {
        if (c == '\\')
            printed += "\\\\";
        else if (c == '\n')
            printed += "\\n";
        else if (c == '\r')
            printed += "\\r";
        else
            printed += c;
    }
    return printed;
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "'";
    quoted.append(text).append(1, '\'');
    return quoted;
}

std::string QuotedName(std::string_view name)
{
#if defined(_WIN32)
    // There "\\" separates folders: it alone calls for no quotes.
    constexpr std::string_view kSafe = "%+,-./:=@_^~\\";
#else
    constexpr std::string_view kSafe = "%+,-./:=@_^~";
#endif
    const auto safe = [&](unsigned char c) {
        return std::isalnum(c) || c >= 0x80 || kSafe.find(static_cast<char>(c)) != std::string_view::npos;
    };
    if (!name.empty() && std::ranges::all_of(name, safe)) return std::string(name);
    const bool controls = std::ranges::any_of(name, [](unsigned char c) { return c < 0x20 || c == 0x7F; });
    if (!controls && name.find('\'') != std::string_view::npos &&
        name.find_first_of("\"$`\\") == std::string_view::npos) {
        std::string quoted = "\"";
        quoted.append(name).append(1, '"');
        return quoted;
    }
    std::string quoted;
    bool open = false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) {
            if (open) quoted += '\'';
            open = false;
            static constexpr char kDigits[] = "01234567";
            quoted += "$'";
            if (c == '\n')
                quoted += "\\n";
            else if (c == '\r')
                quoted += "\\r";
            else if (c == '\t')
                quoted += "\\t";
            else {
                quoted += '\\';
                for (const int shift : {6, 3, 0}) quoted += kDigits[(u >> shift) & 7];
            }
            quoted += '\'';
            continue;
        }
        if (!open) quoted += '\'';
        open = true;
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    if (open) quoted += '\'';
    return quoted;
}

} // namespace sumbrook::cli
