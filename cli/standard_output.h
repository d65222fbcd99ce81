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

// Text in single quotes, as the usual tools quote an option or a value.
std::string Quoted(std::string_view text);
// A file name in a message as coreutils quotes it: as it is when it holds
// only safe characters, else in single quotes, a control character as
// $'\n' between them, so that it can be pasted back into a shell.
std::string QuotedName(std::string_view name);

} // namespace sumbrook::cli
