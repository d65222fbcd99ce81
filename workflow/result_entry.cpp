#include "workflow/result_entry.h"

#include <algorithm>
#include <vector>

#include "workflow/native_path.h"

namespace sumbrook::workflow {

std::u16string NodeText(std::u16string_view text)
{
    std::u16string shown(text);
    std::ranges::replace_if(
        shown, [](char16_t c) { return c < 0x20 || c == 0x7F; }, u'?');
    return shown;
}

std::u16string ResultEntryText(std::u16string_view top, std::span<const std::u16string> lines)
{
    std::u16string text = NodeText(top) + u"\r\n";
    for (const std::u16string& line : lines) text += u'\t' + NodeText(line) + u"\r\n";
    return text;
}

std::u16string ResultEntryOfPath(std::string_view path, std::span<const std::string> lines)
{
    std::vector<std::u16string> wide;
    wide.reserve(lines.size());
    // The lines are valid UTF-8: the decoding keeps nothing as raw bytes.
    for (const std::string& line : lines) wide.push_back(Utf16FromNative(line));
    return ResultEntryText(ShownText(FileNameOf(Utf16FromNative(path))), wide);
}

std::u16string ResultEntryOfName(std::string_view name, std::span<const std::string> lines)
{
    std::vector<std::u16string> wide;
    wide.reserve(lines.size());
    // The lines are valid UTF-8: the decoding keeps nothing as raw bytes.
    for (const std::string& line : lines) wide.push_back(Utf16FromNative(line));
    return ResultEntryText(ShownText(Utf16FromNative(name)), wide);
}

std::string ErrorBoxText(std::string message)
{
    // Past ASCII the last byte belongs to a character above "." too.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
    return message;
}

} // namespace sumbrook::workflow
