// Keys and the mouse on the shown window: a shortcut goes to the results
// tree's popup while the tree has the focus, otherwise to the main menu,
// where a disabled menu uses it up.

#include <QMenu>

#include "tests/ui/form_fixture.h"

namespace sumbrook::ui::test {
namespace {

class InputTest : public FormTest {
protected:
    void SetUp() override
    {
        FormTest::SetUp();
        ShowActive();
    }

    void Press(QWidget* focus, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        focus->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), focus);
        QTest::keyClick(focus, key, modifiers);
    }
};

TEST_F(InputTest, OpenAndCalculateKeysFollowTheirMenus)
{
    EXPECT_EQ(QApplication::focusWidget(), Form().NeedCheckFileList);
    QWidget* list = Form().NeedCheckFileList;
    stubs_.FilesToOpen = QStringList{WriteFile(QStringLiteral("a.txt"), kSame)};

    Press(list, Qt::Key_O);
    EXPECT_EQ(stubs_.OpenFilesCalls, 1);
    EXPECT_EQ(Form().NeedCheckFileList->rowCount(), 1);

    workflow::FormEnableN(Form());
    Press(list, Qt::Key_O);
    Press(list, Qt::Key_J);
    WaitForRun();
    EXPECT_EQ(stubs_.OpenFilesCalls, 1);
    EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), 0);

    workflow::FormEnableY(Form());
    Press(list, Qt::Key_J);
    WaitForRun();
    EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), 1);
    EXPECT_EQ(StatusText(), QStringLiteral("计算完毕"));
}

TEST_F(InputTest, SaveKeyGoesThroughTheTreeWhileItHasTheFocus)
{
    AddFourFiles();
    QWidget* list = Form().NeedCheckFileList;
    QWidget* tree = Form().ResultTreeView;
    const QString during = dir_.filePath(QStringLiteral("during.txt"));
    stubs_.SavePath = during;

    Press(list, Qt::Key_S); // saving is off before the first run
    EXPECT_EQ(stubs_.SaveCalls, 0);

    // Inside the run the File menu is off: only the tree's popup saves, and
    // it saves what the run has so far. Help works throughout.
    bool saveMenuWasOff = false;
    CalculateWhile([&] {
        saveMenuWasOff = !Form().SaveMenu->isEnabled();
        Press(list, Qt::Key_O);
        Press(list, Qt::Key_S);
        Press(list, Qt::Key_H);
        Press(tree, Qt::Key_S);
    });
    EXPECT_TRUE(saveMenuWasOff);
    EXPECT_EQ(stubs_.OpenFilesCalls, 1); // only AddFourFiles
    EXPECT_EQ(stubs_.OpenedUrls, QList<QUrl>{QUrl(kHomePageUrl)});
    EXPECT_EQ(stubs_.SaveCalls, 1);
    // The first file with its lines: a node comes with them.
    const QByteArray saved = ReadFile(during);
    EXPECT_TRUE(saved.startsWith("a.txt\r\n\tSHA1")) << saved.toStdString();
    EXPECT_EQ(saved.count("\r\n"), 3);

    Press(list, Qt::Key_S); // after the run through the File menu
    EXPECT_EQ(stubs_.SaveCalls, 2);

    workflow::FormEnableN(Form());
    Press(list, Qt::Key_S);
    EXPECT_EQ(stubs_.SaveCalls, 2);
    Press(tree, Qt::Key_S);
    EXPECT_EQ(stubs_.SaveCalls, 3);
}

TEST_F(InputTest, CopyKeysWorkOnTheTreeOnly)
{
    AddFourFiles();
    Calculate();
    QTreeWidget* tree = Form().ResultTreeView;

    tree->setCurrentItem(tree->topLevelItem(2)->child(1));
    Press(tree, Qt::Key_C);
    tree->setCurrentItem(tree->topLevelItem(1));
    Press(tree, Qt::Key_C);
    Press(tree, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);
    Press(Form().NeedCheckFileList, Qt::Key_C);
    Press(Form().NeedCheckFileList, Qt::Key_C, Qt::ControlModifier | Qt::AltModifier);

    ASSERT_EQ(stubs_.ClipboardTexts.size(), 3);
    EXPECT_EQ(stubs_.ClipboardTexts[0], DefaultLines(kSame)[1]);
    EXPECT_EQ(stubs_.ClipboardTexts[1], QStringLiteral("b.txt"));
    EXPECT_TRUE(stubs_.ClipboardTexts[2].startsWith(QStringLiteral("Sumbrook校验结果：\r\n\r\na.txt\r\n\r\n")));
}

TEST_F(InputTest, RightClickOpensThePopupWithoutSelecting)
{
    AddFourFiles();
    Calculate();
    QTreeWidget* tree = Form().ResultTreeView;
    tree->setCurrentItem(tree->topLevelItem(0));

    const QRect third = tree->visualItemRect(tree->topLevelItem(2));
    ASSERT_FALSE(third.isEmpty());
    // Through the window, as the desktop delivers it, so the context menu follows the press.
    QTest::mouseClick(Form().windowHandle(), Qt::RightButton, Qt::NoModifier,
                      tree->viewport()->mapTo(&Form(), third.center()));

    EXPECT_TRUE(Form().ListPopupMenu->isVisible());
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(0));
    EXPECT_EQ(tree->selectedItems(), QList<QTreeWidgetItem*>{tree->topLevelItem(0)});
    Form().ListPopupMenu->hide();

    Form().CopyResultMenu->trigger();
    EXPECT_EQ(stubs_.ClipboardTexts, QStringList{QStringLiteral("a.txt")});
}

} // namespace
} // namespace sumbrook::ui::test
