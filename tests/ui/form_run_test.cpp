// A calculation run through the window's handlers: what it shows, what it
// switches off while it works, the algorithm toggles after it, and a close
// in the middle of it.

#include <QMenu>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

#include "tests/ui/form_fixture.h"

namespace sumbrook::ui::test {
namespace {

const QString kPending = QStringLiteral("待校验");
const QString kChecked = QStringLiteral("已校验");

QString Hex(const QByteArray& bytes, QCryptographicHash::Algorithm algorithm)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, algorithm).toHex().toUpper());
}

TEST_F(FormTest, RunOverFourFilesFillsTheTreeAndColoursTheEqualOnes)
{
    AddFourFiles();
    EXPECT_EQ(Names(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt"),
                                    QStringLiteral("d.txt")}));
    EXPECT_EQ(Paths().front(), dir_.filePath(QStringLiteral("a.txt")));
    EXPECT_EQ(Statuses(), Repeated(kPending, 4));
    EXPECT_EQ(StatusText(), QStringLiteral("待计算的文件总数:4"));
    for (QAction* command :
         {Form().CalculateMenu, Form().CalculateToolBtn, Form().DeleteToolBtn, Form().DeleteListToolBtn})
        EXPECT_TRUE(command->isEnabled()) << command->objectName().toStdString();
    EXPECT_FALSE(Form().SaveMenu->isEnabled());

    Calculate();

    QStringList expected;
    const std::vector<std::pair<QString, QByteArray>> files = {{QStringLiteral("a.txt"), kSame},
                                                               {QStringLiteral("b.txt"), kOther},
                                                               {QStringLiteral("c.txt"), kSame},
                                                               {QStringLiteral("d.txt"), kSame}};
    for (const auto& [name, bytes] : files) {
        expected << name;
        for (const QString& line : DefaultLines(bytes)) expected << QStringLiteral("\t") + line;
    }
    EXPECT_EQ(TreeTexts(), expected);
    EXPECT_EQ(Statuses(), Repeated(kChecked, 4));
    EXPECT_EQ(StatusText(), QStringLiteral("计算完毕"));

    // The three equal files share the first group's colour; the odd one has none.
    const TFileListView* list = Form().NeedCheckFileList;
    EXPECT_EQ(list->NeedCheckFileListCustomDrawItem(0), QColor(Qt::red));
    EXPECT_EQ(list->NeedCheckFileListCustomDrawItem(1), std::nullopt);
    EXPECT_EQ(list->NeedCheckFileListCustomDrawItem(2), QColor(Qt::red));
    EXPECT_EQ(list->NeedCheckFileListCustomDrawItem(3), QColor(Qt::red));

    EXPECT_TRUE(Form().SaveMenu->isEnabled());
    EXPECT_TRUE(Form().SaveToolBtn->isEnabled());
    EXPECT_TRUE(Form().CalculateMenu->isEnabled());
    EXPECT_TRUE(Form().CheckGroupBox->isHidden());
    EXPECT_EQ(Form().CheckGroupBox->AllProgressBar->value(), 4);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FormTest, RunSwitchesTheListCommandsOffUntilItEnds)
{
    AddFourFiles();
    Form().show();

    struct Seen {
        bool ToolBar, FileMenu, ToolsMenu, CalculateMenu, CalculateToolBtn, DeleteToolBtn, SaveMenu, Popup;
        bool BoxShown;
        QString Status;
        Qt::CursorShape Cursor;
    } seen{};
    CalculateWhile([&] {
        const QCursor* cursor = QApplication::overrideCursor();
        // The toolbar's buttons, all but the one that stops the run.
        seen = {Form().ToolBar->widgetForAction(Form().OpenFileToolBtn)->isEnabled() ||
                    Form().HashSelToolBtn->isEnabled() ||
                    Form().ToolBar->widgetForAction(Form().DeleteToolBtn)->isEnabled(),
                Form().FileMenu->menuAction()->isEnabled(),
                Form().ToolsMenu->menuAction()->isEnabled(),
                Form().CalculateMenu->isEnabled(),
                Form().CalculateToolBtn->isEnabled(),
                Form().DeleteToolBtn->isEnabled(),
                Form().SaveMenu->isEnabled(),
                Form().CopyResultMenu->isEnabled() && Form().NCopyAllToClip->isEnabled() &&
                    Form().NSaveAllResult->isEnabled(),
                Form().CheckGroupBox->isVisible(),
                StatusText(),
                cursor != nullptr ? cursor->shape() : Qt::ArrowCursor};
    });

    EXPECT_FALSE(seen.ToolBar);
    EXPECT_FALSE(seen.FileMenu);
    EXPECT_FALSE(seen.ToolsMenu);
    EXPECT_FALSE(seen.CalculateMenu);
    EXPECT_TRUE(seen.CalculateToolBtn); // it stops the run
    EXPECT_FALSE(seen.DeleteToolBtn);
    EXPECT_FALSE(seen.SaveMenu); // saving comes with the end of the first run
    EXPECT_TRUE(seen.Popup);
    EXPECT_TRUE(seen.BoxShown);
    EXPECT_EQ(seen.Status, QStringLiteral("正在计算，请稍候。"));
    EXPECT_EQ(seen.Cursor, Qt::WaitCursor);

    EXPECT_TRUE(Form().ToolBar->isEnabled());
    EXPECT_TRUE(Form().FileMenu->menuAction()->isEnabled());
    EXPECT_TRUE(Form().ToolsMenu->menuAction()->isEnabled());
    EXPECT_TRUE(Form().CalculateMenu->isEnabled());
    EXPECT_TRUE(Form().DeleteToolBtn->isEnabled());
    EXPECT_FALSE(Form().CheckGroupBox->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FormTest, EveryAlgorithmToggleAfterARunStartsTheListAfresh)
{
    // Each item with its algorithm.
    using enum AlgorithmId;
    const std::vector<std::pair<QAction*, AlgorithmId>> items = {{Form().CRC32_FCS32Hash, Crc32},
                                                                 {Form().SHA1Hash, Sha1},
                                                                 {Form().Haval256Hash, Haval256},
                                                                 {Form().MD4Hash, Md4},
                                                                 {Form().RipeMD128Hash, Ripemd128},
                                                                 {Form().RipeMD160Hash, Ripemd160},
                                                                 {Form().SHA256Hash, Sha256},
                                                                 {Form().SHA384Hash, Sha384},
                                                                 {Form().SHA512Hash, Sha512},
                                                                 {Form().Tiger192Hash, Tiger192},
                                                                 {Form().MD5Hash, Md5}};
    AddFourFiles();

    for (QAction* item : Form().HashSelect->actions()) {
        SCOPED_TRACE(item->objectName().toStdString());
        Calculate();
        ASSERT_EQ(Statuses(), Repeated(kChecked, 4));
        ASSERT_EQ(Form().ResultTreeView->topLevelItemCount(), 4);

        item->trigger();

        EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), 0);
        EXPECT_EQ(Statuses(), Repeated(kPending, 4));
        EXPECT_TRUE(Form().SaveMenu->isEnabled());
        EXPECT_TRUE(Form().SaveToolBtn->isEnabled());
        for (const auto& [action, id] : items)
            EXPECT_EQ(Form().lstHashes.Contains(id), action->isChecked()) << action->objectName().toStdString();
    }
}

TEST_F(FormTest, ToggledDigestsShapeTheNextRunAndToggleBackCleanly)
{
    const QString path = WriteFile(QStringLiteral("one.bin"), kSame);
    AddFiles({path});

    Form().SHA256Hash->trigger();
    EXPECT_TRUE(Form().lstHashes.Contains(AlgorithmId::Sha256));
    Form().CRC32_FCS32Hash->trigger();
    Calculate();

    // The CRC line comes first, the digests follow in catalogue order.
    const QStringList texts = TreeTexts();
    ASSERT_EQ(texts.size(), 5);
    EXPECT_TRUE(texts[1].startsWith(QStringLiteral("\tCRC32_FCS32："))) << texts[1].toStdString();
    EXPECT_EQ(texts.mid(2), (QStringList{QStringLiteral("\tSHA1：") + Hex(kSame, QCryptographicHash::Sha1),
                                         QStringLiteral("\tSHA256：") + Hex(kSame, QCryptographicHash::Sha256),
                                         QStringLiteral("\tMD5：") + Hex(kSame, QCryptographicHash::Md5)}));

    // Back to where it was: the selection returns, the results go all the same.
    Form().SHA256Hash->trigger();
    EXPECT_FALSE(Form().lstHashes.Contains(AlgorithmId::Sha256));
    EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), 0);
    EXPECT_EQ(Statuses(), Repeated(kPending, 1));
}

// Closing the window stops the run: the window goes at once, the files
// done keep their results, the rest stay pending without nodes.
TEST_F(FormTest, CloseDuringARunStopsItAndClosesAtOnce)
{
    AddFourFiles();
    Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form()));

    bool visibleAfterClose = true;
    bool runningAfterClose = true;
    CalculateWhile([&] {
        Form().close();
        visibleAfterClose = Form().isVisible();
        runningAfterClose = Form().Calculation().Running();
    });

    EXPECT_FALSE(visibleAfterClose);
    EXPECT_FALSE(runningAfterClose);
    const QStringList statuses = Statuses();
    const auto checked = static_cast<int>(statuses.count(kChecked));
    EXPECT_GE(checked, 1);
    EXPECT_EQ(statuses, Repeated(kChecked, checked) + Repeated(kPending, 4 - checked));
    EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), checked);
    EXPECT_EQ(StatusText(), QStringLiteral("计算完毕"));
}

// The window's thread never reads or hashes: while a large file is read,
// timers fire, the current-file bar moves and copying gives the files done
// (the large file's node comes with its lines).
TEST_F(FormTest, LargeFileLeavesTheWindowLive)
{
    const QString small = WriteFile(QStringLiteral("small.txt"), kSame);
    const QString large = dir_.filePath(QStringLiteral("large.bin"));
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64{384} << 20)); // sparse: costs no disk
    }
    AddFiles({small, large});
    Form().show();

    int ticksInLarge = 0;
    QList<int> positions;
    QStringList copied;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (!Form().Calculation().Running() || Form().ResultTreeView->TopCount() != 1) return;
        ++ticksInLarge;
        positions << Form().CheckGroupBox->CurrentProgressBar->value();
        if (copied.isEmpty()) {
            Form().NCopyAllToClipClick();
            copied = stubs_.ClipboardTexts;
        }
    });
    ticker.start(5);
    Calculate();
    ticker.stop();

    EXPECT_GE(ticksInLarge, 3);
    EXPECT_TRUE(std::any_of(positions.begin(), positions.end(), [](int p) { return p > 0 && p < 100; }))
        << "the bar stayed at " << positions.value(0);
    ASSERT_EQ(copied.size(), 1);
    EXPECT_TRUE(copied[0].contains(QStringLiteral("small.txt")));
    EXPECT_TRUE(copied[0].contains(DefaultLines(kSame).back()));
    EXPECT_FALSE(copied[0].contains(QStringLiteral("large.bin")));
    EXPECT_EQ(Form().ResultTreeView->LineCount(1), 2); // and the large file's lines at the end
}

} // namespace
} // namespace sumbrook::ui::test
