#pragma once

// The results tree as text, for the clipboard and for the result file, and
// the commands that put it there.

#include <QString>

#include <string>

#include "workflow/ports.h"

namespace sumbrook::workflow {

// The header, then every node's text followed by an empty line. In this
// text and the result file a control character of a node becomes "?".
QString CopyAllText(const ResultsTreePort& tree);

// One file's part of the result file: its name, then each result line after
// a TAB, CR LF after every line.
QString ResultEntryText(const QString& top, const QStringList& lines);

// One line per node in tree order, a TAB per level, CR LF after each line.
QString ResultFileText(const ResultsTreePort& tree);

// The result file's bytes: the text in the ANSI code page, no byte-order mark.
std::string ResultFileBytes(const ResultsTreePort& tree);

// Replaces Path with the result file as a whole; raises with the system's
// reason when that fails, leaving the previous file as it was.
void WriteResultFile(const ResultsTreePort& tree, const QString& path);

// The three export commands over whatever the tree holds, also during a run.
class Export {
public:
    Export(const ResultsTreePort& tree, ClipboardPort& clipboard, DialogPort& dialogs)
        : tree_(tree), clipboard_(clipboard), dialogs_(dialogs)
    {}
    void CopySelected(); // the selected node's text alone; nothing without a selection
    void CopyAll();
    void Save(); // through the save dialog; a cancel writes nothing

private:
    const ResultsTreePort& tree_;
    ClipboardPort& clipboard_;
    DialogPort& dialogs_;
};

} // namespace sumbrook::workflow
