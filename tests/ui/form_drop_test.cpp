// Files and folders dropped on the window: any part of it takes them, in
// drop order, also in the middle of a run; other drags are refused.

#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTableWidget>
#include <QToolBar>

#include "tests/ui/form_fixture.h"

namespace sumbrook::ui::test {
namespace {

// Drags the data over the target and lets it go there, the way the desktop
// does: an enter first, which picks the widget that takes the drop. True
// when the drop was taken.
bool DropOn(QWidget* target, const QMimeData& data)
{
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

bool DropOn(QWidget* target, const QStringList& paths)
{
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    QMimeData data;
    data.setUrls(urls);
    return DropOn(target, data);
}

class DropTest : public FormTest {
protected:
    // Two files with a folder between them; the folder holds one file and
    // a sub-folder whose file stays out.
    QStringList DropSet()
    {
        EXPECT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("folder/deeper")));
        WriteFile(QStringLiteral("folder/deeper/hidden.txt"), kOther);
        inner_ = WriteFile(QStringLiteral("folder/inner.txt"), kOther);
        return {WriteFile(QStringLiteral("first.txt"), kSame), dir_.filePath(QStringLiteral("folder")),
                WriteFile(QStringLiteral("last.txt"), kSame)};
    }
    QString inner_;
};

TEST_F(DropTest, EveryPartOfTheWindowTakesFilesInDropOrder)
{
    const QStringList dropped = DropSet();
    const QStringList expected = {dropped[0], inner_, dropped[2]};
    using Target = std::function<QWidget*(TSumbrookForm&)>;
    const std::vector<std::pair<const char*, Target>> targets = {
        {"file list", [](TSumbrookForm& form) { return form.NeedCheckFileList->viewport(); }},
        {"results tree", [](TSumbrookForm& form) { return form.ResultTreeView->viewport(); }},
        {"toolbar", [](TSumbrookForm& form) { return form.ToolBar; }},
        {"status bar", [](TSumbrookForm& form) { return form.StatusBar; }},
        {"window", [](TSumbrookForm& form) -> QWidget* { return &form; }},
    };
    for (const auto& [where, target] : targets) {
        SCOPED_TRACE(where);
        Restart();
        EXPECT_TRUE(DropOn(target(Form()), dropped));
        EXPECT_EQ(Paths(), expected);
        EXPECT_EQ(Statuses(), Repeated(QStringLiteral("待校验"), 3));
        EXPECT_EQ(StatusText(), QStringLiteral("待计算的文件总数:3"));
        EXPECT_TRUE(Form().CalculateMenu->isEnabled());
        EXPECT_TRUE(Form().DeleteListToolBtn->isEnabled());
    }
}

TEST_F(DropTest, OtherDragsAreRefusedEverywhere)
{
    AddFourFiles();
    Calculate();

    // Cells dragged from another program's table must not become rows.
    QTableWidget other(1, 2);
    other.setItem(0, 0, new QTableWidgetItem(QStringLiteral("cell")));
    const std::unique_ptr<QMimeData> cells(other.model()->mimeData({other.model()->index(0, 0)}));
    QMimeData web;
    web.setUrls({QUrl(QStringLiteral("https://example.com/file.txt"))});

    for (QWidget* target : {Form().NeedCheckFileList->viewport(), Form().ResultTreeView->viewport(),
                            static_cast<QWidget*>(Form().ToolBar)}) {
        SCOPED_TRACE(target->objectName().toStdString());
        EXPECT_FALSE(DropOn(target, *cells));
        EXPECT_FALSE(DropOn(target, web));
    }
    EXPECT_EQ(Form().NeedCheckFileList->rowCount(), 4);
    EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), 4);
}

TEST_F(DropTest, DropDuringARunWaitsForTheNextRun)
{
    AddFourFiles();
    const QString late = WriteFile(QStringLiteral("late.txt"), kOther);
    const QString later = WriteFile(QStringLiteral("later.txt"), kOther);

    bool takenByList = false;
    bool takenByToolBar = false;
    bool commandsStayedOff = false;
    CalculateWhile([&] {
        takenByList = DropOn(Form().NeedCheckFileList->viewport(), {late});
        takenByToolBar = DropOn(Form().ToolBar, {later}); // its buttons are off just now
        commandsStayedOff = !Form().ToolBar->widgetForAction(Form().OpenFileToolBtn)->isEnabled() &&
                            !Form().FileMenu->menuAction()->isEnabled() &&
                            !Form().ToolsMenu->menuAction()->isEnabled() && !Form().CalculateMenu->isEnabled() &&
                            !Form().DeleteListToolBtn->isEnabled();
    });

    EXPECT_TRUE(takenByList);
    EXPECT_TRUE(takenByToolBar);
    EXPECT_TRUE(commandsStayedOff);
    EXPECT_EQ(Names().mid(4), (QStringList{QStringLiteral("late.txt"), QStringLiteral("later.txt")}));
    EXPECT_EQ(Statuses(), (Repeated(QStringLiteral("已校验"), 4) + Repeated(QStringLiteral("待校验"), 2)));
    EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), 4);
    EXPECT_TRUE(Form().CalculateMenu->isEnabled());

    Calculate();
    EXPECT_EQ(Statuses(), Repeated(QStringLiteral("已校验"), 6));
    EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), 6);
    EXPECT_EQ(Form().ResultTreeView->topLevelItem(5)->text(0), QStringLiteral("later.txt"));
}

} // namespace
} // namespace sumbrook::ui::test
