#pragma once

#include <QTreeWidget>

#include "ports.h"

class QMenu;
class QAction;

namespace sumbrook::ui {

// The results tree: a top node per checked file, a line per result. A right
// click opens the popup menu without selecting; while the tree has the focus
// its popup items' keys win over the main menu's.
class TResultTreeView : public QTreeWidget, public workflow::ResultsTreePort {
    Q_OBJECT
public:
    explicit TResultTreeView(QWidget* parent = nullptr);
    void SetPopupMenu(QMenu* menu) { popup_ = menu; }

    int AppendTop(const QString& text) override;
    void AppendLine(int top, const QString& text) override;
    void Clear() override { clear(); }
    int TopCount() const override { return topLevelItemCount(); }
    int LineCount(int top) const override { return topLevelItem(top)->childCount(); }
    QString TopText(int top) const override { return topLevelItem(top)->text(0); }
    QString LineText(int top, int line) const override { return topLevelItem(top)->child(line)->text(0); }
    std::optional<workflow::TreeNode> Selected() const override;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QAction* PopupActionFor(const QKeyEvent* event) const;
    QMenu* popup_ = nullptr;
};

} // namespace sumbrook::ui
