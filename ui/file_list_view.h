#pragma once

#include <QColor>
#include <QTableWidget>

#include <optional>

#include "workflow/ports.h"

namespace sumbrook::ui {

class TSystemIconList;

// The file list: one row per entry with name, status, size and path; rows of
// equal files share their group's background colour.
class TFileListView : public QTableWidget, public workflow::FileListPort {
    Q_OBJECT
public:
    enum Column {
        NameColumn,
        StatusColumn,
        SizeColumn,
        PathColumn
    };

    explicit TFileListView(QWidget* parent = nullptr);
    void SetIconList(const TSystemIconList* icons) { icons_ = icons; }

    int Count() const override { return rowCount(); }
    workflow::FileListEntry Entry(int index) const override;
    void Append(const workflow::FileListEntry& entry) override;
    void SetStatus(int index, const QString& status) override;
    void SetStateIndex(int index, int mark) override;
    void SetImageIndex(int index, int image) override;
    void Remove(int index) override;
    void Clear() override { setRowCount(0); }
    std::optional<int> Selected() const override;

    // The background of a row about to be painted, from its group mark.
    std::optional<QColor> NeedCheckFileListCustomDrawItem(int row) const;

signals:
    // Delete was pressed while the list had the focus.
    void DeleteKeyPressed();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;

private:
    void FitColumns();
    void ShowFocusRow(int row = 0);
    const TSystemIconList* icons_ = nullptr;
};

} // namespace sumbrook::ui
