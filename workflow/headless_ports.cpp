#include "workflow/headless_ports.h"

#include <chrono>

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

void QuietWindow::ProcessMessagesUntil(const std::function<bool()>& finished, const std::function<void()>& tick)
{
    // No window: nothing to run but the ticks.
    while (!finished()) {
        std::unique_lock lock(wakeMutex_);
        wakeUp_.wait_for(lock, std::chrono::milliseconds(30), [this] { return woken_; });
        woken_ = false;
        lock.unlock();
        if (tick) tick();
    }
}

void QuietWindow::Wake()
{
    {
        const std::lock_guard lock(wakeMutex_);
        woken_ = true;
    }
    wakeUp_.notify_all();
}

} // namespace sumbrook::workflow
