#pragma once

// Plain in-memory implementations of the window's ports, for driving the
// workflow without a window.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

#include "workflow/ports.h"

namespace sumbrook::workflow {

class MemoryFileList : public FileListPort {
public:
    int Count() const override { return static_cast<int>(entries_.size()); }
    FileListEntry Entry(int index) const override { return entries_.at(static_cast<std::size_t>(index)); }
    void Append(const FileListEntry& entry) override { entries_.push_back(entry); }
    void SetStatus(int index, const QString& status) override { At(index).Status = status; }
    void SetStateIndex(int index, int mark) override { At(index).StateIndex = mark; }
    void SetImageIndex(int index, int image) override { At(index).ImageIndex = image; }
    void Remove(int index) override
    {
        entries_.erase(entries_.begin() + index);
        selected_.reset();
    }
    void Clear() override { entries_.clear(); }
    std::optional<int> Selected() const override { return selected_; }
    void Select(std::optional<int> index) { selected_ = index; }

private:
    FileListEntry& At(int index) { return entries_.at(static_cast<std::size_t>(index)); }
    std::vector<FileListEntry> entries_;
    std::optional<int> selected_;
};

class MemoryResultsTree : public ResultsTreePort {
public:
    int AppendTop(const QString& text) override
    {
        nodes_.push_back({text, {}});
        return static_cast<int>(nodes_.size()) - 1;
    }
    void AppendLine(int top, const QString& text) override { nodes_.at(static_cast<std::size_t>(top)).Lines << text; }
    void Clear() override
    {
        nodes_.clear();
        selected_.reset();
    }
    int TopCount() const override { return static_cast<int>(nodes_.size()); }
    int LineCount(int top) const override
    {
        return static_cast<int>(nodes_.at(static_cast<std::size_t>(top)).Lines.size());
    }
    QString TopText(int top) const override { return nodes_.at(static_cast<std::size_t>(top)).Text; }
    QString LineText(int top, int line) const override
    {
        return nodes_.at(static_cast<std::size_t>(top)).Lines.at(line);
    }
    std::optional<TreeNode> Selected() const override { return selected_; }
    void Select(std::optional<TreeNode> node) { selected_ = node; }

private:
    struct Top {
        QString Text;
        QStringList Lines;
    };
    std::vector<Top> nodes_;
    std::optional<TreeNode> selected_;
};

} // namespace sumbrook::workflow
