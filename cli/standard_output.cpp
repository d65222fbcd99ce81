#include "cli/standard_output.h"

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
        if (byte >= 0x20 && byte != 0x7F) line += c;
        else if (c == '\n') line += "\\n";
        else if (c == '\r') line += "\\r";
        else if (c == '\t') line += "\\t";
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
        if (c == '\\') printed += "\\\\";
        else if (c == '\n') printed += "\\n";
        else if (c == '\r') printed += "\\r";
        else printed += c;
    }
    return printed;
}

} // namespace sumbrook::cli
