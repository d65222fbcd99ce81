#pragma once

// Standard output and error of sumbrook-cli.

#include <string>
#include <string_view>

namespace sumbrook::cli {

// Standard output, flushed file by file. The first failed write is reported
// on standard error (a closed pipe silently, as the usual tools do) and
// nothing more is written after it.
class StandardOutput {
public:
    explicit StandardOutput(bool open);
    void Write(std::string_view bytes);
    void Flush();
    bool Failed() const { return failed_; }

private:
    void Fail(int error);
    bool failed_ = false;
};

// "sumbrook-cli: " and the message on standard error, its control
// characters escaped ("\\n", "\\x1B").
void Complain(const std::string& message);

// A path as printed: after a backslash, with "\\", "\n" and "\r" escaped,
// when it holds any of those characters (on Windows, where "\\" separates
// folders, any but "\\"); as it is otherwise.
std::string PrintedPath(std::string_view path);

} // namespace sumbrook::cli
