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
    std::fprintf(stderr, "sumbrook-cli: %s\n", message.c_str());
    std::fflush(stderr);
}

std::string PrintedPath(std::string_view path)
{
    if (path.find_first_of("\\\n\r") == std::string_view::npos) return std::string(path);
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
