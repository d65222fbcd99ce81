#include "workflow/results.h"

#include "workflow/result_line.h"

namespace sumbrook::workflow {

void Results::Append(const QString& caption, const FileResult& result)
{
    const int top = tree_.AppendTop(caption);
    keys_.push_back(MarkingKey::Of(result));
    for (const QString& line : ResultLines(result)) tree_.AppendLine(top, line);
}

void Results::Clear()
{
    tree_.Clear();
    keys_.clear();
}

} // namespace sumbrook::workflow
