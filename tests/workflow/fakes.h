#pragma once

// Test doubles for the window's ports, a bench that wires them to the
// workflow's units, and temporary files and folders that clean up after
// themselves.

#include <QEventLoop>
#include <QFile>
#include <QString>
#include <QStringList>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/exception.h"
#include "tests/workflow/memory_ports.h"
#include "workflow/calculation_run.h"
#include "workflow/error_box.h"
#include "workflow/export.h"
#include "workflow/intake.h"
#include "workflow/marking.h"
#include "workflow/results.h"

// GoogleTest shows QStrings as text instead of raw bytes.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace sumbrook::workflow::testing {

using sumbrook::AlgorithmId;
using sumbrook::AlgorithmSet;

// A window that remembers what the workflow did to it and answers the
// dialogs from a script.
class RecordingWindow : public ProgressPort,
                        public CommandPort,
                        public DialogPort,
                        public ClipboardPort,
                        public ErrorBoxPort,
                        public IconPort {
public:
    // Commands and status.
    QStringList statusTexts;
    std::vector<bool> listCommandCalls;
    std::optional<bool> listCommandsEnabled; // nothing until first set
    bool saveMenuEnabled = false;
    bool saveToolBtnEnabled = false;
    bool busy = false;

    // Progress.
    bool progressBoxShown = false;
    int currentPosition = -1;
    int allMinimum = -1;
    int allMaximum = -1;
    int allPosition = -1;
    int allSteps = 0;

    // Scripted dialog answers; nothing means the user cancelled.
    std::optional<QStringList> openFilesAnswer;
    std::optional<QString> folderAnswer;
    std::optional<QString> saveAnswer;

    // Clipboard, error box, icons.
    QString clipboard;
    int clipboardSets = 0;
    QStringList errors;
    std::function<void()> onError; // runs when the box appears, before it is recorded
    QStringList iconPaths;
    int iconIndex = 7;

    QString Status() const { return statusTexts.isEmpty() ? QString() : statusTexts.back(); }

    void ShowProgressBox(bool shown) override { progressBoxShown = shown; }
    void SetCurrentPosition(int position) override { currentPosition = position; }
    void SetAllRange(int minimum, int maximum) override
    {
        allMinimum = minimum;
        allMaximum = maximum;
    }
    void SetAllPosition(int position) override { allPosition = position; }
    int AllMaximum() const override { return allMaximum; }
    void StepAll() override
    {
        ++allSteps;
        ++allPosition;
    }

    void SetListCommandsEnabled(bool enabled) override
    {
        listCommandCalls.push_back(enabled);
        listCommandsEnabled = enabled;
    }
    void SetSaveMenuEnabled(bool enabled) override { saveMenuEnabled = enabled; }
    void SetSaveToolBtnEnabled(bool enabled) override { saveToolBtnEnabled = enabled; }
    void SetStatusText(const QString& text) override { statusTexts << text; }
    void SetBusyCursor(bool on) override { busy = on; }

    std::optional<QStringList> OpenFiles() override { return openFilesAnswer; }
    std::optional<QString> ChooseFolder() override { return folderAnswer; }
    std::optional<QString> SaveFileName() override { return saveAnswer; }

    void SetText(const QString& text) override
    {
        clipboard = text;
        ++clipboardSets;
    }
    void ShowError(const QString& message) override
    {
        if (onError) onError();
        errors << message;
    }
    int IconIndex(const QString& path) override
    {
        iconPaths << path;
        return iconIndex;
    }
};

// A results tree whose n-th AppendTop fails, as a window might when it runs
// out of resources.
class FailingTree : public MemoryResultsTree {
public:
    explicit FailingTree(int failingCall) : failingCall_(failingCall) {}
    int AppendTop(const QString& text) override
    {
        if (++calls_ == failingCall_) throw Exception("Tree is full");
        return MemoryResultsTree::AppendTop(text);
    }

private:
    int failingCall_;
    int calls_ = 0;
};

// The workflow's units with every port faked; the tree may be replaced.
struct Bench {
    explicit Bench(ResultsTreePort* replacementTree = nullptr)
        : tree(replacementTree != nullptr ? *replacementTree : ownTree), results(tree),
          run({files, results, window, window, window}), intake({files, results, window, window, window, window}, run),
          exporter(tree, window, window)
    {
        QObject::connect(&run, &CalculationRun::Started, [this] {
            if (onStarted) onStarted();
        });
        QObject::connect(&run, &CalculationRun::FileDone, [this](int entry) {
            if (onFileDone) onFileDone(entry);
        });
    }

    // CRC-32 or not, and these digests.
    void Select(bool crc32, AlgorithmSet digests = {})
    {
        selection = digests;
        selection.Set(AlgorithmId::Crc32, crc32);
    }

    // A whole run: started, then the events it sends handled until it ends.
    void Calculate()
    {
        QEventLoop loop;
        const auto finished = QObject::connect(&run, &CalculationRun::Finished, &loop, &QEventLoop::quit);
        run.Start(selection);
        if (run.Running()) loop.exec();
        QObject::disconnect(finished);
    }

    void RunCommand(const std::function<void()>& command) { workflow::RunCommand(window, command); }

    QStringList Lines(int top) const
    {
        QStringList lines;
        for (int i = 0; i < tree.LineCount(top); ++i) lines << tree.LineText(top, i);
        return lines;
    }
    QStringList TopTexts() const
    {
        QStringList texts;
        for (int i = 0; i < tree.TopCount(); ++i) texts << tree.TopText(i);
        return texts;
    }
    QStringList Column(QString FileListEntry::*field) const
    {
        QStringList values;
        for (int i = 0; i < files.Count(); ++i) values << files.Entry(i).*field;
        return values;
    }
    std::vector<int> Marks() const
    {
        std::vector<int> marks;
        for (int i = 0; i < files.Count(); ++i) marks.push_back(files.Entry(i).StateIndex);
        return marks;
    }

    MemoryFileList files;
    MemoryResultsTree ownTree;
    ResultsTreePort& tree;
    RecordingWindow window;
    Results results;
    CalculationRun run;
    Intake intake;
    Export exporter;
    AlgorithmSet selection{AlgorithmId::Sha1, AlgorithmId::Md5};
    // Hooks into a run: as it starts, and after each file's results are in.
    std::function<void()> onStarted;
    std::function<void(int entry)> onFileDone;
};

inline std::string Native(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

// A fresh folder under the system's temporary folder, removed with all it holds.
class TempDir {
public:
    TempDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "sumbrook-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = QFile::decodeName(pattern.c_str());
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Native(path_), ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const QString& Path() const { return path_; }
    QString Path(const QString& relative) const { return path_ + u'/' + relative; }

    QString Write(const QString& relative, const std::string& bytes) const
    {
        const QString path = Path(relative);
        std::ofstream out(Native(path), std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + Native(path));
        return path;
    }
    QString Folder(const QString& relative) const
    {
        const QString path = Path(relative);
        std::filesystem::create_directories(Native(path));
        return path;
    }
    QString Fifo(const QString& relative) const
    {
        const QString path = Path(relative);
        if (::mkfifo(Native(path).c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
        return path;
    }

private:
    QString path_;
};

inline std::string ReadBytes(const QString& path)
{
    std::ifstream in(Native(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool Exists(const QString& path)
{
    struct stat st {};
    return ::stat(Native(path).c_str(), &st) == 0;
}

} // namespace sumbrook::workflow::testing
