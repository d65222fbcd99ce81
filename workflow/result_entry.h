#pragma once

// One file's part of the saved result file, and the node texts it and the
// clipboard are made of. Standard library only: the window's export and
// sumbrook-cli --output both write entries through here.

#include <span>
#include <string>
#include <string_view>

namespace sumbrook::workflow {

// A node's text as exported: control characters become "?", so a file name
// cannot forge lines.
std::u16string NodeText(std::u16string_view text);

// The file's name, then each result line after a TAB, CR LF after every line.
std::u16string ResultEntryText(std::u16string_view top, std::span<const std::u16string> lines);

// The entry of a file the platform named with Path's bytes: its name as
// shown, and its result lines in UTF-8.
std::u16string ResultEntryOfPath(std::string_view path, std::span<const std::string> lines);
// The same under a name given whole ("sub/a.txt"), for a result file that
// lists files of several folders.
std::u16string ResultEntryOfName(std::string_view name, std::span<const std::string> lines);

// A failure as the error box and sumbrook-cli show it: the message, with a
// full stop appended when its last character sorts after ".".
std::string ErrorBoxText(std::string message);

} // namespace sumbrook::workflow
