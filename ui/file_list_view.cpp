#include "ui/file_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

#include <algorithm>

#include "workflow/file_naming.h"
#include "workflow/marking.h"
#include "ui/system_icons.h"
#include "ui/text_contrast.h"

namespace sumbrook::ui {

namespace {

constexpr int kMarkRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kPathRole = Qt::UserRole + 2; // the path as opened; the column shows it readable
constexpr int kStatusWidth = 50;
constexpr int kSizeWidth = 80;

// Paints each row on its group colour, with black or white text, whichever
// reads better on it.
class RowColourDelegate : public QStyledItemDelegate {
public:
    explicit RowColourDelegate(TFileListView* view) : QStyledItemDelegate(view), view_(view) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // Without the focus the selection is hidden: the row shows its own colour.
        if (!view_->hasFocus()) option->state &= ~QStyle::State_Selected;
        // Styles draw the focus mark only once focus has moved by key; the
        // list shows where the keys go from the start.
        if (option->state & QStyle::State_HasFocus) option->state |= QStyle::State_KeyboardFocusChange;
        if (const auto colour = view_->NeedCheckFileListCustomDrawItem(index.row())) {
            option->backgroundBrush = *colour;
            option->palette.setColor(QPalette::Text, ReadableTextOn(*colour));
        }
    }

private:
    TFileListView* view_;
};

} // namespace

TFileListView::TFileListView(QWidget* parent) : QTableWidget(0, 4, parent)
{
    setHorizontalHeaderLabels(
        {QStringLiteral("文件名称"), QStringLiteral("状态"), QStringLiteral("文件大小"), QStringLiteral("路径")});
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setIconSize(QSize(16, 16));
    setItemDelegate(new RowColourDelegate(this));
    setToolTip(QStringLiteral("您可以直接拖拽文件到此处。"));
    setAccessibleName(QStringLiteral("待校验文件列表"));
    setTabKeyNavigation(false); // Tab leaves the list for the results tree
    setContextMenuPolicy(Qt::NoContextMenu);
    FitColumns();
}

workflow::FileListEntry TFileListView::Entry(int index) const
{
    const QTableWidgetItem* name = item(index, NameColumn);
    return {name->text(),
            item(index, StatusColumn)->text(),
            item(index, SizeColumn)->text(),
            item(index, PathColumn)->data(kPathRole).toString(),
            name->data(kMarkRole).toInt(),
            name->data(kImageRole).toInt()};
}

void TFileListView::Append(const workflow::FileListEntry& entry)
{
    const int row = rowCount();
    insertRow(row);
    auto* name = new QTableWidgetItem(entry.Caption); // the table owns its items
    name->setData(kMarkRole, entry.StateIndex);
    name->setData(kImageRole, entry.ImageIndex);
    setItem(row, NameColumn, name);
    setItem(row, StatusColumn, new QTableWidgetItem(entry.Status));
    setItem(row, SizeColumn, new QTableWidgetItem(entry.SizeText));
    auto* path = new QTableWidgetItem(workflow::ShownText(entry.Path));
    path->setData(kPathRole, entry.Path);
    setItem(row, PathColumn, path);
    SetImageIndex(row, entry.ImageIndex);
    if (hasFocus()) ShowFocusRow();
}

void TFileListView::Remove(int index)
{
    removeRow(index);
    // No row takes the deleted one's place, so a second delete removes nothing unpicked.
    selectionModel()->clear();
    if (hasFocus()) ShowFocusRow(std::min(index, rowCount() - 1));
}

void TFileListView::SetStatus(int index, const QString& status)
{
    item(index, StatusColumn)->setText(status);
}

void TFileListView::SetStateIndex(int index, int mark)
{
    item(index, NameColumn)->setData(kMarkRole, mark);
    viewport()->update(visualRect(model()->index(index, 0)).united(visualRect(model()->index(index, PathColumn))));
}

void TFileListView::SetImageIndex(int index, int image)
{
    QTableWidgetItem* name = item(index, NameColumn);
    name->setData(kImageRole, image);
    name->setIcon(icons_ != nullptr ? icons_->Icon(image) : QIcon());
}

std::optional<int> TFileListView::Selected() const
{
    const auto rows = selectionModel()->selectedRows();
    if (rows.isEmpty()) return std::nullopt;
    return rows.front().row();
}

std::optional<QColor> TFileListView::NeedCheckFileListCustomDrawItem(int row) const
{
    const QTableWidgetItem* name = item(row, NameColumn);
    if (name == nullptr) return std::nullopt;
    const auto rgb = workflow::GroupColour(name->data(kMarkRole).toInt());
    if (!rgb) return std::nullopt;
    return QColor(rgb->Red, rgb->Green, rgb->Blue);
}

void TFileListView::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    FitColumns();
}

void TFileListView::keyPressEvent(QKeyEvent* event)
{
    // The table would copy the current cell; the list copies nothing.
    if (event->matches(QKeySequence::Copy)) {
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Delete)) {
        event->accept();
        emit DeleteKeyPressed();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TFileListView::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    ShowFocusRow();
    viewport()->update(); // the selection shows again
}

void TFileListView::focusOutEvent(QFocusEvent* event)
{
    QTableWidget::focusOutEvent(event);
    viewport()->update(); // the selected row goes back to its own colour
}

QModelIndex TFileListView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    // Home and End go to the first and last file, as in a list, not along the row.
    if ((cursorAction == MoveHome || cursorAction == MoveEnd) && rowCount() > 0) {
        const int column = std::max(0, currentIndex().column());
        return model()->index(cursorAction == MoveHome ? 0 : rowCount() - 1, column);
    }
    return QTableWidget::moveCursor(cursorAction, modifiers);
}

void TFileListView::paintEvent(QPaintEvent* event)
{
    QTableWidget::paintEvent(event);
    // An empty list has no row to carry the focus mark: the list shows it
    // around its area instead.
    if (!hasFocus() || rowCount() > 0) return;
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    option.backgroundColor = palette().color(QPalette::Base);
    option.state |= QStyle::State_KeyboardFocusChange;
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void TFileListView::ShowFocusRow(int row)
{
    // The focus mark needs a current row; making one selects nothing, so a
    // delete still removes only a row the user picked.
    if (row < 0 || row >= rowCount() || currentIndex().isValid()) return;
    selectionModel()->setCurrentIndex(model()->index(row, NameColumn), QItemSelectionModel::NoUpdate);
}

void TFileListView::FitColumns()
{
    // Name and path share what the two fixed columns leave; the name takes
    // an odd pixel.
    const int rest = std::max(0, viewport()->width() - kStatusWidth - kSizeWidth);
    setColumnWidth(NameColumn, rest - rest / 2);
    setColumnWidth(StatusColumn, kStatusWidth);
    setColumnWidth(SizeColumn, kSizeWidth);
    setColumnWidth(PathColumn, rest / 2);
}

} // namespace sumbrook::ui
