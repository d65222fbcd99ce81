#include "result_tree_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

namespace sumbrook::ui {

TResultTreeView::TResultTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setIndentation(19);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
}

int TResultTreeView::AppendTop(const QString& text)
{
    addTopLevelItem(new QTreeWidgetItem(QStringList{text})); // the tree owns its items
    return topLevelItemCount() - 1;
}

void TResultTreeView::AppendLine(int top, const QString& text)
{
    topLevelItem(top)->addChild(new QTreeWidgetItem(QStringList{text}));
}

std::optional<workflow::TreeNode> TResultTreeView::Selected() const
{
    const QTreeWidgetItem* item = currentItem();
    if (item == nullptr || !item->isSelected()) return std::nullopt;
    if (const QTreeWidgetItem* parent = item->parent())
        return workflow::TreeNode{indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(parent)), parent->indexOfChild(const_cast<QTreeWidgetItem*>(item))};
    return workflow::TreeNode{indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)), -1};
}

QAction* TResultTreeView::PopupActionFor(const QKeyEvent* event) const
{
    if (popup_ == nullptr) return nullptr;
    const QKeySequence pressed(event->keyCombination());
    for (QAction* action : popup_->actions())
        if (!action->isSeparator() && action->shortcut() == pressed) return action;
    return nullptr;
}

bool TResultTreeView::event(QEvent* event)
{
    // Claim the popup's keys before the main menu sees them, so Ctrl+S saves
    // through the popup even while the File menu's item is disabled.
    if (event->type() == QEvent::ShortcutOverride && PopupActionFor(static_cast<QKeyEvent*>(event)) != nullptr) {
        event->accept();
        return true;
    }
    return QTreeWidget::event(event);
}

void TResultTreeView::keyPressEvent(QKeyEvent* event)
{
    if (QAction* action = PopupActionFor(event)) {
        if (action->isEnabled()) action->trigger();
        event->accept(); // a disabled item uses the key up too
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void TResultTreeView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        setFocus(Qt::MouseFocusReason);
        event->accept(); // the popup opens; the selection stays where it was
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void TResultTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    if (popup_ != nullptr) popup_->popup(event->globalPos());
    event->accept();
}

} // namespace sumbrook::ui
