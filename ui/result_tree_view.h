#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QTreeWidget>

#include <memory>
#include <vector>

#include "workflow/ports.h"

class QMenu;
class QAction;

namespace sumbrook::ui {

// The results tree: a top node per checked file, a line per result. A right
// click opens the popup menu without selecting; while the tree has the focus
// its popup items' keys win over the main menu's.
//
// Every insertion of a top node makes the view lay out all its rows again,
// so during a run new top nodes wait in a batch and reach the view at most
// every so often (FlushPending); the port's reads see them at once.
class TResultTreeView : public QTreeWidget, public workflow::ResultsTreePort {
    Q_OBJECT
public:
    explicit TResultTreeView(QWidget* parent = nullptr);
    ~TResultTreeView() override;
    void SetPopupMenu(QMenu* menu) { popup_ = menu; }

    int AppendTop(const QString& text) override;
    void AppendLine(int top, const QString& text) override;
    void Clear() override;
    int TopCount() const override { return topLevelItemCount() + static_cast<int>(pending_.size()); }
    int LineCount(int top) const override { return Top(top)->childCount(); }
    QString TopText(int top) const override { return Top(top)->text(0); }
    QString LineText(int top, int line) const override { return Top(top)->child(line)->text(0); }
    std::optional<workflow::TreeNode> Selected() const override;

    // Hands the waiting top nodes to the view now.
    void FlushPending();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QTreeWidgetItem* Top(int top) const;
    int TextWidth(const QString& text, int level) const;
    int WidestLine(int top); // measured at the first call
    void FitColumn();
    void RecountWidth();
    QAction* PopupActionFor(const QKeyEvent* event) const;
    void PopupAtCurrent();

    QMenu* popup_ = nullptr;
    std::vector<std::unique_ptr<QTreeWidgetItem>> pending_; // top nodes not yet in the view
    QTimer flushTimer_;
    // Widths of the nodes, indentation included, measured once: a top node
    // as it arrives, its lines when it is first expanded (sizing the column
    // to its contents would measure every row on each batch). The column
    // fits the top nodes and the lines of the expanded ones.
    static constexpr int kNotMeasured = -1;
    int topWidth_ = 0;            // the widest top node
    std::vector<int> lineWidths_; // per top node, its widest line, or kNotMeasured
    int contentWidth_ = 0;        // what the column needs now
};

} // namespace sumbrook::ui
