#pragma once

// Plain in-memory implementations of the ports, for running the workflow
// without a window (the command-line tool) and as the base of test fakes.

#include <array>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <memory>
#include <vector>

#include "digest/engine/DCPcatalogue.h"
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
    void Remove(int index) override;
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
    int AppendTop(const QString& text) override;
    void AppendLine(int top, const QString& text) override { nodes_.at(static_cast<std::size_t>(top)).Lines << text; }
    void Clear() override;
    int TopCount() const override { return static_cast<int>(nodes_.size()); }
    int LineCount(int top) const override { return static_cast<int>(nodes_.at(static_cast<std::size_t>(top)).Lines.size()); }
    QString TopText(int top) const override { return nodes_.at(static_cast<std::size_t>(top)).Text; }
    QString LineText(int top, int line) const override;
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

// The ten catalogue components with their check marks; the menu and the
// list are one here, as the window's toggles keep them.
class CatalogueSelection : public SelectionPort {
public:
    CatalogueSelection() : components_(CreateCatalogueComponents()) {}
    bool Crc32Checked() const override { return crc32_; }
    bool DigestMenuChecked(std::size_t index) const override { return checked_.at(index); }
    std::size_t HashListCount() const override { return components_.size(); }
    bool HashListChecked(std::size_t index) const override { return checked_.at(index); }
    TDCP_hash& HashComponent(std::size_t index) override { return *components_.at(index); }
    void SetCrc32(bool checked) { crc32_ = checked; }
    void SetDigest(std::size_t index, bool checked) { checked_.at(index) = checked; }

private:
    std::array<std::unique_ptr<TDCP_hash>, kCatalogueSize> components_;
    std::array<bool, kCatalogueSize> checked_{};
    bool crc32_ = false;
};

// Ports with nothing to show: progress, commands, pump, dialogs, clipboard, icons.
class QuietWindow : public ProgressPort,
                    public CommandPort,
                    public MessagePump,
                    public DialogPort,
                    public ClipboardPort,
                    public IconPort {
public:
    void ShowProgressBox(bool) override {}
    void SetCurrentPosition(int) override {}
    void StepCurrent() override {}
    void SetAllRange(int, int maximum) override { allMaximum_ = maximum; }
    void SetAllPosition(int) override {}
    int AllMaximum() const override { return allMaximum_; }
    void StepAll() override {}
    void SetListCommandsEnabled(bool) override {}
    void SetSaveMenuEnabled(bool) override {}
    void SetSaveToolBtnEnabled(bool) override {}
    void SetStatusText(const QString&) override {}
    void SetBusyCursor(bool) override {}
    void ProcessMessages() override {}
    void ProcessMessagesUntil(const std::function<bool()>& finished, const std::function<void()>& tick) override;
    void Wake() override;
    std::optional<QStringList> OpenFiles() override { return std::nullopt; }
    std::optional<QString> ChooseFolder() override { return std::nullopt; }
    std::optional<QString> SaveFileName() override { return std::nullopt; }
    void SetText(const QString&) override {}
    int IconIndex(const QString&) override { return 0; }

private:
    int allMaximum_ = 0;
    std::mutex wakeMutex_;
    std::condition_variable wakeUp_;
    bool woken_ = false;
};

} // namespace sumbrook::workflow
