#include "checking/result_file.h"

#include "checking/algorithms.h"
#include "checking/checksum_formats.h"
#include "checking/text_decoding.h"
#include "workflow/result_text.h"

namespace sumbrook::checking {

namespace {

// "LABEL：HEX"; the colon is fullwidth, or ":" or "?" where the code page
// lacked it.
bool ParseValue(std::string_view text, std::size_t lineNumber, ResultValue& value)
{
    std::size_t cut = text.find(workflow::kResultSeparatorText);
    std::size_t width = workflow::kResultSeparatorText.size();
    if (cut == std::string_view::npos) {
        cut = text.find_first_of(":?");
        width = 1;
    }
    if (cut == std::string_view::npos) return false;
    const auto algorithm = AlgorithmOfLabel(text.substr(0, cut));
    std::string_view hex = text.substr(cut + width);
    while (hex.ends_with(' ')) hex.remove_suffix(1);
    if (!algorithm) return false;
    auto bytes = ParseDigestHex(*algorithm, hex);
    if (!bytes) return false;
    value = {*algorithm, std::move(*bytes), lineNumber};
    return true;
}

} // namespace

bool LooksLikeResultFile(std::string_view bytes)
{
    bytes = WithoutByteOrderMark(bytes);
    return bytes.starts_with('\t') || bytes.find("\n\t") != std::string_view::npos;
}

ResultFile ParseResultFile(std::string_view text)
{
    text = WithoutByteOrderMark(text);
    ResultFile file;
    std::size_t number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (line.empty()) continue;
        if (!line.starts_with('\t')) {
            file.Entries.push_back({std::string(line), number, {}});
            continue;
        }
        ResultValue value;
        if (file.Entries.empty() || !ParseValue(line.substr(1), number, value))
            file.MalformedLines.push_back(number);
        else
            file.Entries.back().Values.push_back(std::move(value));
    }
    return file;
}

} // namespace sumbrook::checking
