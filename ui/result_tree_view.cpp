#include "ui/result_tree_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>

#include "ui/branch_line_style.h"

#include <algorithm>

namespace sumbrook::ui {

namespace {
// A batch waits at least this long; longer when handing one over took long,
// so that laying out the rows stays a small share of a run.
constexpr int kMinFlushIntervalMs = 100;
constexpr int kFlushCostFactor = 20;
} // namespace

TResultTreeView::TResultTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    // The header is hidden; a screen reader still reads its label.
    setHeaderLabel(QStringLiteral("校验结果"));
    header()->hide();
    setAccessibleName(QStringLiteral("校验结果"));
    // The column is as wide as its widest node; longer lines scroll.
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setIndentation(19);
    setRootIsDecorated(true);
    setItemsExpandable(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    // Lines join the nodes; the style stays the application's otherwise.
    auto* lines = new TBranchLineStyle(); // uses the application's style
    lines->setParent(this);               // the tree owns it
    setStyle(lines);
    FitColumn();
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        const int top = indexOfTopLevelItem(item);
        if (top < 0) return;
        contentWidth_ = std::max(contentWidth_, WidestLine(top));
        FitColumn();
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this] { RecountWidth(); });

    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(kMinFlushIntervalMs);
    connect(&flushTimer_, &QTimer::timeout, this, &TResultTreeView::FlushPending);
}

TResultTreeView::~TResultTreeView() = default;

QTreeWidgetItem* TResultTreeView::Top(int top) const
{
    const int shown = topLevelItemCount();
    return top < shown ? topLevelItem(top) : pending_.at(static_cast<std::size_t>(top - shown)).get();
}

int TResultTreeView::AppendTop(const QString& text)
{
    pending_.push_back(std::make_unique<QTreeWidgetItem>(QStringList{text}));
    topWidth_ = std::max(topWidth_, TextWidth(text, 1));
    contentWidth_ = std::max(contentWidth_, topWidth_);
    lineWidths_.push_back(kNotMeasured);
    if (!flushTimer_.isActive()) flushTimer_.start();
    return TopCount() - 1;
}

void TResultTreeView::AppendLine(int top, const QString& text)
{
    // A waiting node takes its lines without the view noticing; a shown one
    // is collapsed, so a new line costs the view next to nothing.
    QTreeWidgetItem* node = Top(top);
    node->addChild(new QTreeWidgetItem(QStringList{text})); // the node owns its lines
    // Lines are measured when their node is first expanded: shaping the
    // text of every line as it arrives cost a run most of its time.
    int& widest = lineWidths_.at(static_cast<std::size_t>(top));
    if (widest != kNotMeasured) widest = std::max(widest, TextWidth(text, 2));
    if (node->isExpanded()) {
        contentWidth_ = std::max(contentWidth_, WidestLine(top));
        FitColumn();
    }
}

void TResultTreeView::Clear()
{
    flushTimer_.stop();
    pending_.clear();
    clear();
    topWidth_ = 0;
    lineWidths_.clear();
    contentWidth_ = 0;
    FitColumn();
}

void TResultTreeView::FlushPending()
{
    flushTimer_.stop();
    if (pending_.empty()) return;
    QElapsedTimer cost;
    cost.start();
    QList<QTreeWidgetItem*> batch;
    batch.reserve(static_cast<qsizetype>(pending_.size()));
    for (auto& item : pending_) batch.append(item.release()); // the tree owns its items
    pending_.clear();
    addTopLevelItems(batch); // one insertion, one layout
    FitColumn();
    executeDelayedItemsLayout();
    const auto spent = static_cast<int>(std::min<qint64>(cost.elapsed(), 60'000));
    flushTimer_.setInterval(std::max(kMinFlushIntervalMs, spent * kFlushCostFactor));
}

int TResultTreeView::TextWidth(const QString& text, int level) const
{
    // The item's text margins, and room for a glyph reaching past its advance,
    // which would otherwise be elided.
    const int margin =
        2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + fontMetrics().averageCharWidth();
    return level * indentation() + fontMetrics().horizontalAdvance(text) + margin;
}

void TResultTreeView::RecountWidth()
{
    contentWidth_ = topWidth_;
    const int shown = topLevelItemCount();
    for (int top = 0; top < shown; ++top)
        if (topLevelItem(top)->isExpanded()) contentWidth_ = std::max(contentWidth_, WidestLine(top));
    FitColumn();
}

int TResultTreeView::WidestLine(int top)
{
    int& widest = lineWidths_.at(static_cast<std::size_t>(top));
    if (widest == kNotMeasured) {
        widest = 0;
        const QTreeWidgetItem* node = Top(top);
        for (int line = 0; line < node->childCount(); ++line)
            widest = std::max(widest, TextWidth(node->child(line)->text(0), 2));
    }
    return widest;
}

void TResultTreeView::FitColumn()
{
    if (columnWidth(0) != contentWidth_) setColumnWidth(0, contentWidth_);
}

std::optional<workflow::TreeNode> TResultTreeView::Selected() const
{
    const QTreeWidgetItem* item = currentItem();
    if (item == nullptr || !item->isSelected()) return std::nullopt;
    if (const QTreeWidgetItem* parent = item->parent())
        return workflow::TreeNode{indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(parent)),
                                  parent->indexOfChild(const_cast<QTreeWidgetItem*>(item))};
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
    // The desktop's keys for a popup menu.
    if (event->key() == Qt::Key_Menu || (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        PopupAtCurrent();
        event->accept();
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
    if (!indexAt(event->position().toPoint()).isValid()) {
        // A click beside the nodes keeps the selection for a following copy.
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void TResultTreeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!indexAt(event->position().toPoint()).isValid()) {
        event->accept();
        return;
    }
    QTreeWidget::mouseDoubleClickEvent(event);
}

void TResultTreeView::PopupAtCurrent()
{
    if (popup_ == nullptr) return;
    QPoint at = viewport()->rect().topLeft();
    if (const QTreeWidgetItem* item = currentItem()) {
        const QRect rect = visualItemRect(item);
        if (viewport()->rect().intersects(rect)) at = rect.bottomLeft();
    }
    popup_->popup(viewport()->mapToGlobal(at));
}

void TResultTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    if (popup_ != nullptr) popup_->popup(event->globalPos());
    event->accept();
}

} // namespace sumbrook::ui
