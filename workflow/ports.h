#pragma once

// What the workflow needs of the window, as small interfaces. The window
// implements them with widgets; the command-line tool and the tests with
// plain objects.

#include <QString>
#include <QStringList>

#include <optional>

namespace sumbrook::workflow {

// One row of the file list.
struct FileListEntry {
    QString Caption;     // the file's name
    QString Status;      // kPending or kChecked
    QString SizeText;    // such as "1.5KB"
    QString Path;        // full path as it arrived
    int StateIndex = -1; // group mark of the same-content marking
    int ImageIndex = 0;  // the file's icon
};

class FileListPort {
public:
    virtual ~FileListPort() = default;
    virtual int Count() const = 0;
    virtual FileListEntry Entry(int index) const = 0;
    virtual void Append(const FileListEntry& entry) = 0;
    virtual void SetStatus(int index, const QString& status) = 0;
    // Changing a mark repaints the row in its group's colour.
    virtual void SetStateIndex(int index, int mark) = 0;
    virtual void SetImageIndex(int index, int image) = 0;
    virtual void Remove(int index) = 0;
    virtual void Clear() = 0;
    virtual std::optional<int> Selected() const = 0;
};

// A node of the results tree: a top node (Line < 0) or one of its lines.
struct TreeNode {
    int Top = 0;
    int Line = -1;
    bool IsTop() const { return Line < 0; }
};

// Top nodes, one per checked file, each with its result lines; nodes are
// only appended or all cleared at once.
class ResultsTreePort {
public:
    virtual ~ResultsTreePort() = default;
    virtual int AppendTop(const QString& text) = 0; // the new node's index
    virtual void AppendLine(int top, const QString& text) = 0;
    virtual void Clear() = 0;
    virtual int TopCount() const = 0;
    virtual int LineCount(int top) const = 0;
    virtual QString TopText(int top) const = 0;
    virtual QString LineText(int top, int line) const = 0;
    virtual std::optional<TreeNode> Selected() const = 0;
};

class ProgressPort {
public:
    virtual ~ProgressPort() = default;
    virtual void ShowProgressBox(bool shown) = 0;
    virtual void SetCurrentPosition(int position) = 0;
    virtual void SetAllRange(int minimum, int maximum) = 0;
    virtual void SetAllPosition(int position) = 0;
    virtual int AllMaximum() const = 0;
    virtual void StepAll() = 0;
};

// The commands, the status text and the pointer.
class CommandPort {
public:
    virtual ~CommandPort() = default;
    // The toolbar, the File and Tools menus, Calculate and the delete buttons as one set.
    virtual void SetListCommandsEnabled(bool enabled) = 0;
    virtual void SetSaveMenuEnabled(bool enabled) = 0;
    virtual void SetSaveToolBtnEnabled(bool enabled) = 0;
    virtual void SetStatusText(const QString& text) = 0;
    virtual void SetBusyCursor(bool busy) = 0;
};

// The list commands on and off as one set.
inline void FormEnableN(CommandPort& commands)
{
    commands.SetListCommandsEnabled(false);
}
inline void FormEnableY(CommandPort& commands)
{
    commands.SetListCommandsEnabled(true);
}

class DialogPort {
public:
    virtual ~DialogPort() = default;
    virtual std::optional<QStringList> OpenFiles() = 0; // nothing when cancelled
    virtual std::optional<QString> ChooseFolder() = 0;  // nothing or empty when cancelled
    virtual std::optional<QString> SaveFileName() = 0;  // nothing when cancelled
};

class ClipboardPort {
public:
    virtual ~ClipboardPort() = default;
    // Replaces the whole clipboard content with one Unicode text.
    virtual void SetText(const QString& text) = 0;
};

class ErrorBoxPort {
public:
    virtual ~ErrorBoxPort() = default;
    virtual void ShowError(const QString& message) = 0;
};

class IconPort {
public:
    virtual ~IconPort() = default;
    // The index of the icon the desktop shows for Path, in the program's icon list.
    virtual int IconIndex(const QString& path) = 0;
};

} // namespace sumbrook::workflow
