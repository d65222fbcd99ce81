#include "headless_ports.h"

namespace sumbrook::workflow {

void MemoryFileList::Remove(int index)
{
    entries_.erase(entries_.begin() + index);
    selected_.reset();
}

int MemoryResultsTree::AppendTop(const QString& text)
{
    nodes_.push_back({text, {}});
    return static_cast<int>(nodes_.size()) - 1;
}

void MemoryResultsTree::Clear()
{
    nodes_.clear();
    selected_.reset();
}

QString MemoryResultsTree::LineText(int top, int line) const
{
    return nodes_.at(static_cast<std::size_t>(top)).Lines.at(line);
}

} // namespace sumbrook::workflow
