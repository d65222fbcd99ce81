#include "workflow/results.h"

#include <algorithm>

#include "workflow/result_line.h"
#include "workflow/texts.h"

namespace sumbrook::workflow {

void Results::Append(const QString& caption, const FileResult& result)
{
    const int top = tree_.AppendTop(caption);
    keys_.push_back(MarkingKey::Of(result));
    results_.push_back(result);
    for (const QString& line : ResultLines(result)) tree_.AppendLine(top, line);
}

void Results::Clear()
{
    tree_.Clear();
    keys_.clear();
    results_.clear();
}

std::optional<Results::Match> Results::Find(std::span<const std::uint8_t> value,
                                            std::span<const AlgorithmId> candidates) const
{
    for (std::size_t top = 0; top < results_.size(); ++top)
        for (const AlgorithmResult& computed : results_[top].Values) {
            if (computed.Failed || std::ranges::find(candidates, computed.Algorithm) == candidates.end()) continue;
            if (!std::ranges::equal(computed.Value.Bytes(), value)) continue;
            // The line is the one with the algorithm's label.
            const QString label = FromUtf8Text(InfoOf(computed.Algorithm).Name) + kResultSeparator;
            const int t = static_cast<int>(top);
            for (int line = 0; line < tree_.LineCount(t); ++line)
                if (tree_.LineText(t, line).startsWith(label)) return Match{{t, line}, computed.Algorithm};
        }
    return std::nullopt;
}

} // namespace sumbrook::workflow
