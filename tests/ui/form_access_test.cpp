// What the audit of the shown window asked for: dialogs that never read a
// file, Delete in the list, a visible focus mark, names for screen readers,
// the algorithm menu where the keyboard user looks, legible group colours.

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QMenu>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTreeView>
#include <QToolButton>

#include "tests/ui/form_fixture.h"
#include "ui/file_dialogs.h"
#include "ui/text_contrast.h"
#include "workflow/marking.h"

namespace sumbrook::ui::test {
namespace {

class AccessTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        ShowActive();
    }

    TFileListView* List() { return Form().NeedCheckFileList; }

    static QString Name(QObject* object)
    {
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(object);
        return access != nullptr ? access->text(QAccessible::Name) : QStringLiteral("<none>");
    }

    // A cell of a header the view does not show.
    static bool HiddenHeaderCell(QAccessibleInterface* view, QAccessibleInterface* cell)
    {
        const QHeaderView* header = nullptr;
        if (const auto* tree = qobject_cast<const QTreeView*>(view->object()))
            header = cell->role() == QAccessible::ColumnHeader ? tree->header() : nullptr;
        else if (const auto* table = qobject_cast<const QTableView*>(view->object()))
            header = cell->role() == QAccessible::ColumnHeader ? table->horizontalHeader()
                     : cell->role() == QAccessible::RowHeader  ? table->verticalHeader()
                                                               : nullptr;
        return header != nullptr && !header->isVisible();
    }

    // Every accessible below the node that claims to be shown although the
    // widget it stands for, or the header it is a cell of, is hidden.
    static void CollectHiddenShown(QAccessibleInterface* node, QStringList& found, int depth = 0)
    {
        if (node == nullptr || depth > 12) return;
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            if (child == nullptr || child->state().invisible) continue;
            const auto* widget = qobject_cast<const QWidget*>(child->object());
            if ((widget != nullptr && !widget->isVisible()) || HiddenHeaderCell(node, child))
                found << QStringLiteral("%1 \"%2\" (role %3)")
                             .arg(child->object() != nullptr ? child->object()->objectName() : QString(),
                                  child->text(QAccessible::Name))
                             .arg(child->role());
            CollectHiddenShown(child, found, depth + 1);
        }
    }
};

TEST_F(AccessTest, DeleteKeyRemovesTheSelectedFileButNotDuringARun)
{
    AddFourFiles();
    List()->selectRow(1);
    QTest::keyClick(List(), Qt::Key_Delete);
    EXPECT_EQ(Names(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt"), QStringLiteral("d.txt")}));
    EXPECT_EQ(StatusText(), QStringLiteral("待计算的文件总数:3"));
    QTest::keyClick(List(), Qt::Key_Delete); // nothing picked, nothing goes
    EXPECT_EQ(Names().size(), 3);

    List()->selectRow(0);
    CalculateWhile([&] { QTest::keyClick(List(), Qt::Key_Delete); });
    EXPECT_EQ(Names().size(), 3);
    EXPECT_EQ(Statuses(), Repeated(QStringLiteral("已校验"), 3));
}

TEST_F(AccessTest, FocusedListShowsItsFocusMarkFromTheStart)
{
    ASSERT_EQ(QApplication::focusWidget(), List());
    auto shot = [&] {
        QApplication::processEvents();
        return List()->viewport()->grab().toImage();
    };
    const QImage focused = shot();
    Form().ResultTreeView->setFocus();
    EXPECT_NE(shot(), focused); // the empty list marks its area while focused

    List()->setFocus();
    AddFourFiles();
    EXPECT_EQ(List()->currentIndex().row(), 0); // the mark is on the first row
    EXPECT_TRUE(List()->selectionModel()->selectedRows().isEmpty());
    QTest::keyClick(List(), Qt::Key_Delete); // a mark alone picks nothing
    EXPECT_EQ(Names().size(), 4);
}

TEST_F(AccessTest, ScreenReadersFindNamesAndNothingHidden)
{
    AddFourFiles();
    Calculate();
    EXPECT_EQ(Name(List()), QStringLiteral("待校验文件列表"));
    EXPECT_EQ(Name(Form().ResultTreeView), QStringLiteral("校验结果"));
    EXPECT_EQ(Form().ResultTreeView->headerItem()->text(0), QStringLiteral("校验结果"));
    EXPECT_EQ(Name(Form().CheckGroupBox->CurrentProgressBar), QStringLiteral("当前进度"));
    EXPECT_EQ(Name(Form().CheckGroupBox->AllProgressBar), QStringLiteral("整体进度"));

    QStringList found;
    CollectHiddenShown(QAccessible::queryAccessibleInterface(&Form()), found);
    EXPECT_TRUE(found.isEmpty()) << found.join(QStringLiteral("; ")).toStdString();
}

TEST_F(AccessTest, AlgorithmMenuOpensUnderItsButtonFromTheKeyboardAndAtThePointerFromTheMouse)
{
    const QPoint below = Form().HashSelToolBtn->mapToGlobal(QPoint(0, Form().HashSelToolBtn->height()));
    QCursor::setPos(Form().screen()->geometry().bottomRight() - QPoint(5, 5));
    Form().HashMenu->trigger();
    EXPECT_TRUE(Form().HashSelect->isVisible());
    EXPECT_EQ(Form().HashSelect->pos(), below);
    Form().HashSelect->hide();

    // Chosen with the mouse: the pointer is on the Tools menu's item.
    Form().ToolsMenu->popup(Form().mapToGlobal(QPoint(40, 40)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form().ToolsMenu));
    const QPoint onItem = Form().ToolsMenu->mapToGlobal(Form().ToolsMenu->actionGeometry(Form().HashMenu).center());
    QCursor::setPos(onItem);
    Form().ToolsMenu->hide();
    Form().HashMenu->trigger();
    EXPECT_EQ(Form().HashSelect->pos(), onItem);
    Form().HashSelect->hide();
}

TEST_F(AccessTest, TextOnEveryGroupColourHasAContrastOfAtLeastFourAndAHalf)
{
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(QColor(0x77, 0x77, 0x77), Qt::white), 4.48, 0.01);

    QStringList paths;
    for (int i = 0; i < 8; ++i) paths << WriteFile(QStringLiteral("f%1.txt").arg(i), kSame);
    AddFiles(paths);
    Form().ResultTreeView->setFocus(); // no selection colour on the rows
    for (int mark = 1; mark <= 8; ++mark) {
        SCOPED_TRACE(mark);
        const auto rgb = workflow::GroupColour(mark);
        ASSERT_TRUE(rgb);
        const QColor background(rgb->Red, rgb->Green, rgb->Blue);
        const QColor text = ReadableTextOn(background);
        EXPECT_GE(ContrastRatio(text, background), 4.5);

        // The row is painted so: right of the file's icon, the pixel of its
        // name most unlike the background is the chosen text colour.
        const int row = mark - 1;
        List()->SetStateIndex(row, mark);
        QApplication::processEvents();
        const QRect cell = List()->visualRect(List()->model()->index(row, TFileListView::NameColumn));
        const QImage image =
            List()->viewport()->grab(cell.adjusted(List()->iconSize().width() + 8, 1, -2, -2)).toImage();
        QColor most = background;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (const QColor pixel = image.pixelColor(x, y);
                    ContrastRatio(pixel, background) > ContrastRatio(most, background))
                    most = pixel;
        EXPECT_GE(ContrastRatio(most, background), 4.5) << most.name().toStdString();
        EXPECT_LT(ContrastRatio(most, text), 1.5) << most.name().toStdString();
    }
}

TEST_F(AccessTest, DialogsReadNoFileAndStartOutsideSpecialFolders)
{
    // A file whose name says nothing: knowing it is a PNG takes a read.
    const QString unnamed =
        WriteFile(QStringLiteral("noextension"), QByteArray::fromHex("89504e470d0a1a0a0000000d49484452"));
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    const QString start = QDir(QDir(desktop).exists() ? desktop : QDir::homePath()).absolutePath();

    const auto save = MakeSaveDialog(&Form(), QStringLiteral("/proc/self/result.txt"));
    EXPECT_EQ(save->directory().absolutePath(), start);
    const auto open = MakeOpenDialog(&Form());
    const auto folder = MakeFolderDialog(&Form());
    for (QFileDialog* dialog : {save.get(), open.get(), folder.get()}) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        ASSERT_NE(dialog->iconProvider(), nullptr);
        EXPECT_FALSE(dialog->iconProvider()->type(QFileInfo(unnamed)).contains(QStringLiteral("PNG")));
    }

    const auto ordinary = MakeSaveDialog(&Form(), dir_.filePath(QStringLiteral("result.txt")));
    EXPECT_EQ(ordinary->directory().absolutePath(), QDir(dir_.path()).absolutePath());
}

} // namespace
} // namespace sumbrook::ui::test
