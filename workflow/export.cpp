// Export of the results: the selected node or the whole tree to the
// clipboard, the whole tree to a text file.

#include "workflow/export.h"

#include "platform/ansi_codepage.h"
#include "workflow/file_naming.h"
#include "workflow/result_entry.h"
#include "platform/file_writer.h"
#include "workflow/texts.h"

namespace sumbrook::workflow {

namespace {

QString NodeText(const QString& text)
{
    return FromUtf16(workflow::NodeText(Utf16Of(text)));
}

} // namespace

QString CopyAllText(const ResultsTreePort& tree)
{
    QString text = kCopyAllHeader;
    for (int top = 0; top < tree.TopCount(); ++top) {
        text += NodeText(tree.TopText(top)) + QStringLiteral("\r\n\r\n");
        for (int line = 0; line < tree.LineCount(top); ++line)
            text += NodeText(tree.LineText(top, line)) + QStringLiteral("\r\n\r\n");
    }
    return text;
}

QString ResultEntryText(const QString& top, const QStringList& lines)
{
    std::vector<std::u16string> wide;
    for (const QString& line : lines) wide.emplace_back(Utf16Of(line));
    return FromUtf16(ResultEntryText(Utf16Of(top), wide));
}

QString ResultFileText(const ResultsTreePort& tree)
{
    QString text;
    for (int top = 0; top < tree.TopCount(); ++top) {
        QStringList lines;
        for (int line = 0; line < tree.LineCount(top); ++line) lines << tree.LineText(top, line);
        text += ResultEntryText(tree.TopText(top), lines);
    }
    return text;
}

std::string ResultFileBytes(const ResultsTreePort& tree)
{
    const QString text = ResultFileText(tree);
    return platform::ToAnsiCodePage(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())));
}

void WriteResultFile(const ResultsTreePort& tree, const QString& path)
{
    const std::string bytes = ResultFileBytes(tree);
    const auto file = platform::FileWriter::Create(NativePath(path));
    file->Write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    file->Close();
}

void Export::CopySelected()
{
    const auto node = tree_.Selected();
    if (!node) return;
    clipboard_.SetText(NodeText(node->IsTop() ? tree_.TopText(node->Top) : tree_.LineText(node->Top, node->Line)));
}

void Export::CopyAll()
{
    clipboard_.SetText(CopyAllText(tree_));
}

void Export::Save()
{
    const auto path = dialogs_.SaveFileName();
    if (!path) return;
    WriteResultFile(tree_, *path);
}

} // namespace sumbrook::workflow
