// The window as it comes up, and how it shares out a change of its size.

#include <QHeaderView>
#include <QListWidget>
#include <QMenu>
#include <QScrollBar>
#include <QToolBar>
#include <QToolButton>

#include "tests/ui/form_fixture.h"

namespace sumbrook::ui::test {
namespace {

TEST_F(FormTest, StartsWithItsTextsSelectionAndEnabling)
{
    EXPECT_EQ(Form().windowTitle(), QStringLiteral("SumbrookV2.7"));
    EXPECT_EQ(StatusText(), QStringLiteral("准备就绪"));
    EXPECT_TRUE(Form().CheckGroupBox->isHidden());

    struct Button {
        QAction* Action;
        QString Caption;
        QString Hint;
        bool Enabled;
    };
    for (const Button& button : {
             Button{Form().OpenFileToolBtn, QStringLiteral("添加文件"), QStringLiteral("添加单个文件"), true},
             Button{Form().OpenDocuToolBtn, QStringLiteral("添加文件夹"), QStringLiteral("添加文件夹下的所有文件"),
                    true},
             Button{Form().DeleteToolBtn, QStringLiteral("删除文件"), QStringLiteral("删除选中的文件"), false},
             Button{Form().DeleteListToolBtn, QStringLiteral("清空列表"), QStringLiteral("清除所有文件"), false},
             Button{Form().SaveToolBtn, QStringLiteral("保存列表"), QStringLiteral("保存结果到文件"), false},
             Button{Form().CalculateToolBtn, QStringLiteral("计算"), QStringLiteral("开始计算"), false},
         }) {
        SCOPED_TRACE(button.Action->objectName().toStdString());
        EXPECT_EQ(button.Action->text(), button.Caption);
        EXPECT_EQ(button.Action->toolTip(), button.Hint);
        EXPECT_EQ(button.Action->isEnabled(), button.Enabled);
    }
    EXPECT_EQ(Form().HashSelToolBtn->text(), QStringLiteral("算法选择"));
    EXPECT_EQ(Form().HashSelToolBtn->toolTip(), QStringLiteral("选择需要的算法"));
    EXPECT_EQ(Form().HashSelToolBtn->menu(), Form().HashSelect);
    EXPECT_TRUE(Form().ToolBar->isEnabled());

    for (QAction* disabled : {Form().CalculateMenu, Form().SaveMenu}) {
        EXPECT_FALSE(disabled->isEnabled()) << disabled->objectName().toStdString();
    }
    for (QAction* enabled :
         {Form().FileMenu->menuAction(), Form().ToolsMenu->menuAction(), Form().HelpMenu->menuAction(),
          Form().OpenFileMenu, Form().OpenDocuMenu, Form().DeleteFileMenu, Form().DeleteListMenu, Form().QuitMenu,
          Form().HashMenu, Form().HomePage, Form().HomeBBS, Form().CopyResultMenu, Form().NCopyAllToClip,
          Form().NSaveAllResult}) {
        EXPECT_TRUE(enabled->isEnabled()) << enabled->objectName().toStdString();
    }

    // Only SHA-1 and MD5 are selected, in the menu and in the model.
    QStringList checkedItems;
    for (QAction* item : Form().HashSelect->actions())
        if (item->isChecked()) checkedItems << item->objectName();
    EXPECT_EQ(checkedItems, (QStringList{QStringLiteral("MD5Hash"), QStringLiteral("SHA1Hash")}));
    EXPECT_FALSE(Form().CRC32_FCS32Hash->isChecked());

    EXPECT_EQ(Form().lstHashes, (AlgorithmSet{AlgorithmId::Sha1, AlgorithmId::Md5}));
    // The selection is no widget: nothing hidden for a screen reader to find.
    EXPECT_EQ(Form().findChild<QWidget*>(QStringLiteral("lstHashes")), nullptr);
    EXPECT_TRUE(Form().findChildren<QListWidget*>().isEmpty());

    QStringList columns;
    for (int column = 0; column < Form().NeedCheckFileList->columnCount(); ++column)
        columns << Form().NeedCheckFileList->horizontalHeaderItem(column)->text();
    EXPECT_EQ(columns, (QStringList{QStringLiteral("文件名称"), QStringLiteral("状态"), QStringLiteral("文件大小"),
                                    QStringLiteral("路径")}));
    EXPECT_EQ(Form().NeedCheckFileList->rowCount(), 0);
}

TEST_F(FormTest, ResizingGivesTheChangeToTheFileListAndKeepsTheProgressBoxInTheCorner)
{
    ShowActive();
    TCheckGroupBox* box = Form().CheckGroupBox;
    auto rightGap = [&] { return Form().width() - box->x() - box->width(); };
    auto bottomGap = [&] { return Form().height() - box->y() - box->height(); };

    EXPECT_EQ(Form().ResultTreeView->width(), 185);
    EXPECT_EQ(box->x(), 147);
    EXPECT_EQ(rightGap(), 190);
    EXPECT_EQ(bottomGap(), 21);
    const int listWidth = Form().NeedCheckFileList->width();
    const QSize before = Form().size();

    Form().resize(before + QSize(200, 100));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form().size() == before + QSize(200, 100); }));
    QApplication::processEvents();

    EXPECT_EQ(Form().ResultTreeView->width(), 185);
    EXPECT_EQ(Form().NeedCheckFileList->width(), listWidth + 200);
    EXPECT_EQ(box->size(), QSize(240, 89)); // a line of progress text below the described 73
    EXPECT_EQ(rightGap(), 190);
    EXPECT_EQ(bottomGap(), 21);

    // A run's text too long for one line (large sizes, minutes left) takes
    // two, the speed and time left on the second; the box grows upwards.
    const QString longText = QStringLiteral("1.1 GB / 42.9 GB · 532 MB/秒 · 剩余 1 分 19 秒");
    box->SetProgressTexts({}, longText);
    EXPECT_EQ(box->AllProgressText->text(), QStringLiteral("1.1 GB / 42.9 GB\n532 MB/秒 · 剩余 1 分 19 秒"));
    EXPECT_GE(box->AllProgressText->height(), 2 * box->AllProgressText->fontMetrics().height());
    EXPECT_EQ(bottomGap(), 21);
    box->SetProgressTexts({}, QStringLiteral("1 MB / 2 MB · 1 MB/秒 · 剩余 1 秒"));
    EXPECT_EQ(box->size(), QSize(240, 89));
    EXPECT_EQ(bottomGap(), 21);

    // The four columns fill the list exactly, also once enough rows for a
    // scroll bar narrow it: name and path share what status and size leave.
    QStringList many;
    for (int i = 0; i < 40; ++i) many << WriteFile(QStringLiteral("f%1.txt").arg(i), kSame);
    AddFiles(many);
    const TFileListView* list = Form().NeedCheckFileList;
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->verticalScrollBar()->isVisible(); }));
    QApplication::processEvents();
    const int name = list->columnWidth(TFileListView::NameColumn);
    const int path = list->columnWidth(TFileListView::PathColumn);
    EXPECT_EQ(list->columnWidth(TFileListView::StatusColumn), 50);
    EXPECT_EQ(list->columnWidth(TFileListView::SizeColumn), 80);
    EXPECT_EQ(name + 50 + 80 + path, list->viewport()->width());
    EXPECT_TRUE(name == path || name == path + 1) << name << " " << path;
    EXPECT_FALSE(list->horizontalScrollBar()->isVisible());
}

} // namespace
} // namespace sumbrook::ui::test
