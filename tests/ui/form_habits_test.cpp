// Desktop habits of the shown window: focus and keys in the list and the
// tree, what a selection looks like, the progress box over a full list, the
// column of long result lines, and the add dialogs.

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QScrollBar>
#include <QStandardPaths>
#include <QToolButton>

#include "ui/file_dialogs.h"
#include "tests/ui/form_fixture.h"
#include "workflow/marking.h"

namespace sumbrook::ui::test {
namespace {

class HabitsTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        ShowActive();
    }

    QTableWidget* List() { return Form().NeedCheckFileList; }
    TResultTreeView* Tree() { return Form().ResultTreeView; }

    void Key(QWidget* focus, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        focus->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), focus);
        QTest::keyClick(focus, key, modifiers);
    }

    int CurrentRow() { return List()->currentIndex().row(); }

    // The colour drawn in the middle of a list row's name cell.
    QColor RowColour(int row)
    {
        const QRect cell = List()->visualRect(List()->model()->index(row, TFileListView::NameColumn));
        return List()->viewport()->grab().toImage().pixelColor(cell.center().x(), cell.center().y());
    }
};

TEST_F(HabitsTest, TabMovesBetweenTheListAndTheTree)
{
    AddFourFiles();
    Calculate();
    List()->setCurrentCell(1, TFileListView::NameColumn);

    Key(List(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Tree());
    QTest::keyClick(Tree(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), List());
}

TEST_F(HabitsTest, ListKeysMoveByFileAndCopyNothing)
{
    AddFourFiles();
    List()->setCurrentCell(1, TFileListView::StatusColumn);

    Key(List(), Qt::Key_End);
    EXPECT_EQ(CurrentRow(), 3);
    Key(List(), Qt::Key_Home);
    EXPECT_EQ(CurrentRow(), 0);

    QApplication::clipboard()->setText(QStringLiteral("before"));
    Key(List(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_TRUE(stubs_.ClipboardTexts.isEmpty());
}

TEST_F(HabitsTest, DeleteLeavesNoRowSelected)
{
    AddFourFiles();
    List()->selectRow(1);
    Form().DeleteFileMenuClick();
    EXPECT_EQ(Names(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt"), QStringLiteral("d.txt")}));
    EXPECT_FALSE(Form().Calculation().Running());
    EXPECT_TRUE(List()->selectionModel()->selectedRows().isEmpty());
    EXPECT_TRUE(Form().DeleteToolBtn->isEnabled());

    Form().DeleteFileMenuClick(); // nothing picked, nothing goes
    EXPECT_EQ(Names().size(), 3);
}

TEST_F(HabitsTest, SelectedRowWithoutFocusShowsItsGroupColour)
{
    AddFourFiles();
    Calculate();
    const auto red = workflow::GroupColour(1);
    ASSERT_TRUE(red);
    List()->selectRow(0);

    Tree()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(RowColour(0), QColor(red->Red, red->Green, red->Blue));
    EXPECT_EQ(RowColour(1), List()->palette().color(QPalette::Base)); // b.txt is in no group

    List()->setFocus();
    QApplication::processEvents();
    EXPECT_NE(RowColour(0), QColor(red->Red, red->Green, red->Blue)); // the selection shows again
}

TEST_F(HabitsTest, ClickBesideTheNodesKeepsTheSelectionForCopy)
{
    AddFourFiles();
    Calculate();
    Tree()->setCurrentItem(Tree()->topLevelItem(1));

    const QPoint below(5, Tree()->viewport()->height() - 5);
    ASSERT_FALSE(Tree()->indexAt(below).isValid());
    QTest::mouseClick(Tree()->viewport(), Qt::LeftButton, Qt::NoModifier, below);
    Form().CopyResultMenu->trigger();
    EXPECT_EQ(stubs_.ClipboardTexts, QStringList{QStringLiteral("b.txt")});
}

TEST_F(HabitsTest, KeyboardOpensTheTreePopup)
{
    AddFourFiles();
    Calculate();
    for (const QKeyCombination key : {QKeyCombination(Qt::ShiftModifier, Qt::Key_F10), QKeyCombination(Qt::Key_Menu)}) {
        Key(Tree(), key.key(), key.keyboardModifiers());
        EXPECT_TRUE(Form().ListPopupMenu->isVisible()) << QKeySequence(key).toString().toStdString();
        Form().ListPopupMenu->hide();
    }
}

TEST_F(HabitsTest, LongResultLinesScrollInsteadOfBeingCut)
{
    AddFourFiles();
    Calculate();
    QTreeWidgetItem* first = Tree()->topLevelItem(0);
    const QString line = first->child(0)->text(0);
    first->setExpanded(true);
    QApplication::processEvents();

    EXPECT_GE(Tree()->columnWidth(0), Tree()->fontMetrics().horizontalAdvance(line) + 2 * Tree()->indentation());
    EXPECT_TRUE(Tree()->horizontalScrollBar()->isVisible()); // a SHA-1 line is wider than the tree

    first->setExpanded(false);
    QApplication::processEvents();
    EXPECT_LT(Tree()->columnWidth(0), Tree()->fontMetrics().horizontalAdvance(line));
}

TEST_F(HabitsTest, ProgressBoxHidesTheRowsUnderIt)
{
    QStringList paths;
    for (int i = 0; i < 20; ++i) paths << WriteFile(QStringLiteral("f%1.txt").arg(i), kSame);
    AddFiles(paths);
    TCheckGroupBox* box = Form().CheckGroupBox;
    box->ShowProgressBox(true);
    ASSERT_TRUE(
        List()->geometry().intersects(QRect(List()->parentWidget()->mapFrom(&Form(), box->pos()), box->size())));
    auto boxShot = [&] {
        QApplication::processEvents();
        return Form().grab(box->geometry()).toImage();
    };

    const QImage overRows = boxShot();
    Form().DeleteListMenuClick();
    EXPECT_EQ(overRows, boxShot()); // no file name or grid line shows through
}

TEST_F(HabitsTest, AddDialogsShowEveryFileAndMakeNoFolders)
{
    const auto open = MakeOpenDialog(&Form());
    const auto* filter = open->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->currentText(), QStringLiteral("*.*"));
    EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFiles);

    const auto folder = MakeFolderDialog(&Form());
    folder->show();
    const auto* newFolder = folder->findChild<QToolButton*>(QStringLiteral("newFolderButton"));
    ASSERT_NE(newFolder, nullptr);
    EXPECT_FALSE(newFolder->isVisible());
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    EXPECT_EQ(folder->directory().absolutePath(),
              QDir(QDir(desktop).exists() ? desktop : QDir::homePath()).absolutePath());
    folder->hide();
}

} // namespace
} // namespace sumbrook::ui::test
