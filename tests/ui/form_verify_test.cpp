// Checking in the window: stopping a run from the toolbar or with Esc, the
// progress texts, a pasted digest looked up among the results, and a
// checksum file verified in its own dialog.

#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QToolBar>

#include <sys/stat.h>

#include <cmath>
#include <cstdint>

#include "tests/ui/form_fixture.h"
#include "ui/compare_dialog.h"
#include "ui/verify_dialog.h"

namespace sumbrook::ui::test {
namespace {

const QString kPending = QStringLiteral("待校验");
const QString kChecked = QStringLiteral("已校验");

QString Hex(const QByteArray& bytes, QCryptographicHash::Algorithm algorithm)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, algorithm).toHex());
}

class CheckTest : public FormTest {
protected:
    // A sparse file large enough to be still in reading when the run is stopped.
    QString LargeFile(const QString& name)
    {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_TRUE(file.resize(qint64{2} << 30));
        return path;
    }
};

enum class StopBy {
    ToolBar,
    Escape
};

class StopTest : public CheckTest, public ::testing::WithParamInterface<StopBy> {};

TEST_P(StopTest, StopKeepsTheFilesDoneAndShowsWhatIsLeft)
{
    ShowActive();
    AddFiles({WriteFile(QStringLiteral("a.txt"), kSame), LargeFile(QStringLiteral("big.iso")),
              WriteFile(QStringLiteral("c.txt"), kOther)});
    struct Seen {
        QString Caption, Hint, Current, All;
        bool Enabled = false, TextsShown = false;
    } seen;
    CalculateWhile([&] {
        QTest::qWait(400); // the large file is being read meanwhile
        QAction* button = Form().CalculateToolBtn;
        seen = {button->text(),
                button->toolTip(),
                Form().CheckGroupBox->CurrentProgressText->text(),
                Form().CheckGroupBox->AllProgressText->text(),
                button->isEnabled() && Form().ToolBar->widgetForAction(button)->isEnabled(),
                Form().CheckGroupBox->AllProgressText->isVisible()};
        if (GetParam() == StopBy::ToolBar)
            button->trigger();
        else
            QTest::keyClick(Form().NeedCheckFileList, Qt::Key_Escape);
    });

    EXPECT_EQ(seen.Caption, QStringLiteral("停止"));
    EXPECT_EQ(seen.Hint, QStringLiteral("停止计算"));
    EXPECT_TRUE(seen.Enabled);
    EXPECT_TRUE(seen.TextsShown);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9.]+ [KMG]?B / 2\\.1 GB$")).match(seen.Current).hasMatch())
        << seen.Current.toStdString();
    // On one line, or on two when minutes are left (a slow, sanitized run).
    EXPECT_TRUE(QRegularExpression(
                    QStringLiteral("^[0-9.]+ [KMG]?B / 2\\.1 GB( · |\n)([0-9.]+ [KMG]?B/秒 · 剩余 .+|剩余时间未知)$"))
                    .match(seen.All)
                    .hasMatch())
        << seen.All.toStdString();

    EXPECT_FALSE(Form().Calculation().Running());
    EXPECT_EQ(Statuses(), (QStringList{kChecked, kPending, kPending}));
    EXPECT_EQ(TreeTexts().front(), QStringLiteral("a.txt"));
    EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), 1);
    EXPECT_EQ(StatusText(), QStringLiteral("计算完毕"));
    EXPECT_EQ(Form().CalculateToolBtn->text(), QStringLiteral("计算"));
    EXPECT_EQ(Form().CalculateToolBtn->toolTip(), QStringLiteral("开始计算"));
    EXPECT_TRUE(Form().ToolBar->widgetForAction(Form().OpenFileToolBtn)->isEnabled());
    EXPECT_FALSE(Form().CheckGroupBox->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Window, StopTest, ::testing::Values(StopBy::ToolBar, StopBy::Escape));

TEST_F(CheckTest, ToolsMenuEndsWithTheTwoChecks)
{
    const QList<QAction*> items = Form().ToolsMenu->actions();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items.at(items.size() - 2)->text(), QStringLiteral("校验文件(&V)..."));
    EXPECT_EQ(items.at(items.size() - 2)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+V")));
    EXPECT_EQ(items.back()->text(), QStringLiteral("比对校验值(&K)..."));
}

TEST_F(CheckTest, PastedDigestFindsItsLineOrSaysWhatIsMissing)
{
    AddFourFiles();
    Calculate();
    const QString md5 = Hex(kOther, QCryptographicHash::Md5);
    const QString sha1 = Hex(kSame, QCryptographicHash::Sha1);
    QString spaced;
    for (qsizetype i = 0; i < md5.size(); i += 8) spaced += md5.mid(i, 8) + QLatin1Char(' ');
    const std::vector<std::pair<QString, QString>> cases = {
        {md5, QStringLiteral("一致：文件 b.txt 的 MD5")},
        {md5.toUpper(), QStringLiteral("一致：文件 b.txt 的 MD5")},
        {spaced, QStringLiteral("一致：文件 b.txt 的 MD5")},
        {md5 + QStringLiteral("  b.txt"), QStringLiteral("一致：文件 b.txt 的 MD5")},
        {QStringLiteral("MD5 (b.txt) = ") + md5, QStringLiteral("一致：文件 b.txt 的 MD5")},
        {sha1.toUpper(), QStringLiteral("一致：文件 a.txt 的 SHA1")},
        {QString(40, QLatin1Char('0')), QStringLiteral("没有一致的结果")},
        {Hex(kSame, QCryptographicHash::Sha256),
         QStringLiteral("没有一致的结果（这个长度的校验值需要选择算法：Haval256 或 SHA256）")},
        {QStringLiteral("MD5 (b.txt) = ") + sha1, QStringLiteral("这不是已知长度的校验值")},
    };
    for (const auto& [pasted, answer] : cases) {
        Form().ResultTreeView->clearSelection();
        EXPECT_EQ(Form().CompareDigest(pasted), answer) << pasted.toStdString();
    }
    // The last match is selected and shown: SHA1 of a.txt, its node expanded.
    QTreeWidgetItem* current = Form().ResultTreeView->currentItem();
    ASSERT_NE(current, nullptr);
    ASSERT_NE(current->parent(), nullptr);
    EXPECT_EQ(current->parent()->text(0), QStringLiteral("a.txt"));
    EXPECT_TRUE(current->text(0).startsWith(QStringLiteral("SHA1：")));
    EXPECT_TRUE(current->parent()->isExpanded());
}

TEST_F(CheckTest, CompareDialogTakesADigestFromTheClipboard)
{
    const QString md5 = Hex(kOther, QCryptographicHash::Md5);
    for (const auto& [clip, field] :
         std::vector<std::pair<QString, QString>>{{md5 + QStringLiteral("  b.txt\n"), md5 + QStringLiteral("  b.txt")},
                                                  {QStringLiteral("not a digest"), QString()}}) {
        QGuiApplication::clipboard()->setText(clip);
        TCompareDialog dialog([](const QString& text) { return QStringLiteral("looked up ") + text; });
        EXPECT_EQ(dialog.Field->text(), field);
        dialog.Field->setText(QStringLiteral("x"));
        dialog.CompareButton->click();
        EXPECT_EQ(dialog.Answer->text(), QStringLiteral("looked up x"));
    }
}

// The CRC-32 of SFV lines, bit by bit.
QString Crc32Hex(const QByteArray& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<std::uint8_t>(c);
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return QStringLiteral("%1").arg(crc ^ 0xFFFFFFFFu, 8, 16, QLatin1Char('0'));
}

double Luminance(const QColor& colour)
{
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

class VerifyTest : public CheckTest {
protected:
    // Waits for the dialog's check to end.
    static void WaitFor(TVerifyDialog& dialog)
    {
        if (!dialog.Running()) return;
        QEventLoop loop;
        QObject::connect(&dialog, &TVerifyDialog::Finished, &loop, &QEventLoop::quit);
        loop.exec();
    }
    QStringList Cells(const TVerifyDialog& dialog, int column)
    {
        QStringList texts;
        for (int row = 0; row < dialog.Entries->rowCount(); ++row) texts << dialog.Entries->item(row, column)->text();
        return texts;
    }
};

TEST_F(VerifyTest, EveryFormatGivesEachVerdictAndTheSummary)
{
    const QByteArray listed = QByteArrayLiteral("as it was listed\n");
    WriteFile(QStringLiteral("ok.txt"), kSame);
    WriteFile(QStringLiteral("changed.txt"), kOther);
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder"))); // reading it fails
    const QStringList names = {QStringLiteral("ok.txt"), QStringLiteral("changed.txt"), QStringLiteral("gone.txt"),
                               QStringLiteral("folder")};
    const QList<QByteArray> contents = {kSame, listed, listed, listed};

    // Each format, with the lines made by its own rule.
    using Line = std::function<QString(const QString&, const QByteArray&)>;
    const std::vector<std::tuple<QString, Line, QString>> formats = {
        {QStringLiteral("MD5SUMS"),
         [](const QString& n, const QByteArray& b) {
             return Hex(b, QCryptographicHash::Md5) + QStringLiteral("  ") + n;
         },
         QStringLiteral("MD5")},
        {QStringLiteral("list.bsd"),
         [](const QString& n, const QByteArray& b) {
             return QStringLiteral("SHA256 (%1) = %2").arg(n, Hex(b, QCryptographicHash::Sha256));
         },
         QStringLiteral("SHA256")},
        {QStringLiteral("openssl.txt"),
         [](const QString& n, const QByteArray& b) {
             return QStringLiteral("SHA1(%1)= %2").arg(n, Hex(b, QCryptographicHash::Sha1));
         },
         QStringLiteral("SHA1")},
        {QStringLiteral("files.sfv"),
         [](const QString& n, const QByteArray& b) { return n + QLatin1Char(' ') + Crc32Hex(b).toUpper(); },
         QStringLiteral("CRC32_FCS32")},
        {QStringLiteral("SumbrookResult.txt"),
         [](const QString& n, const QByteArray& b) {
             return n + QStringLiteral("\r\n\tMD5：") + Hex(b, QCryptographicHash::Md5).toUpper();
         },
         QStringLiteral("MD5")},
    };
    for (const auto& [file, line, algorithm] : formats) {
        SCOPED_TRACE(file.toStdString());
        QString text;
        for (qsizetype i = 0; i < names.size(); ++i) text += line(names.at(i), contents.at(i)) + QStringLiteral("\r\n");
        const QString path = WriteFile(file, text.toUtf8());

        TVerifyDialog dialog(path, stubs_);
        WaitFor(dialog);

        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("校验文件"));
        EXPECT_EQ(Cells(dialog, TVerifyDialog::NameColumn), names);
        EXPECT_EQ(Cells(dialog, TVerifyDialog::AlgorithmColumn), Repeated(algorithm, 4));
        EXPECT_EQ(Cells(dialog, TVerifyDialog::ResultColumn),
                  (QStringList{QStringLiteral("一致"), QStringLiteral("不一致"), QStringLiteral("文件不存在"),
                               QStringLiteral("读取文件错误")}));
        EXPECT_EQ(Cells(dialog, TVerifyDialog::PathColumn).front(), dir_.filePath(QStringLiteral("ok.txt")));
        EXPECT_EQ(dialog.Summary->text(), QStringLiteral("校验完毕：一致 1 个，不一致 1 个，缺失 1 个，错误 1 个"));
        EXPECT_FALSE(dialog.StopButton->isEnabled());

        // Four colours, each legible.
        QSet<QRgb> backs;
        for (int row = 0; row < 4; ++row) {
            const QTableWidgetItem* item = dialog.Entries->item(row, TVerifyDialog::ResultColumn);
            const QColor back = item->background().color();
            const QColor fore = item->foreground().color();
            const double l1 = Luminance(back), l2 = Luminance(fore);
            EXPECT_GE((std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05), 4.5) << row;
            backs.insert(back.rgb());
        }
        EXPECT_EQ(backs.size(), 4);

        dialog.CopyButton->click();
        ASSERT_FALSE(stubs_.ClipboardTexts.isEmpty());
        EXPECT_TRUE(stubs_.ClipboardTexts.back().startsWith(QStringLiteral("一致\tok.txt\t") + algorithm));
        EXPECT_TRUE(stubs_.ClipboardTexts.back().endsWith(dialog.Summary->text() + QLatin1Char('\n')));
    }
    // A checksum "file" that is none ends at once with its failure: a
    // device that never ends, a pipe without a writer, a folder.
    const QString fifo = dir_.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {QStringLiteral("/dev/zero"), fifo, dir_.filePath(QStringLiteral("folder"))}) {
        TVerifyDialog dialog(path, stubs_);
        WaitFor(dialog);
        EXPECT_EQ(dialog.Summary->text(), QStringLiteral("读取文件错误")) << path.toStdString();
        EXPECT_EQ(dialog.Entries->rowCount(), 0);
    }

    // The window's list and tree are not the dialog's.
    EXPECT_EQ(Form().NeedCheckFileList->rowCount(), 0);
    EXPECT_EQ(Form().ResultTreeView->topLevelItemCount(), 0);
}

TEST_F(VerifyTest, StopLeavesTheRestUnchecked)
{
    WriteFile(QStringLiteral("ok.txt"), kSame);
    LargeFile(QStringLiteral("big.iso"));
    const QString md5 = Hex(kSame, QCryptographicHash::Md5);
    const QString path =
        WriteFile(QStringLiteral("MD5SUMS"), (md5 + QStringLiteral("  ok.txt\n") + md5 + QStringLiteral("  big.iso\n") +
                                              md5 + QStringLiteral("  ok.txt\n"))
                                                 .toUtf8());
    TVerifyDialog dialog(path, stubs_);
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return dialog.Entries->rowCount() == 3 &&
               dialog.Entries->item(0, TVerifyDialog::ResultColumn)->text() != kPending;
    }));
    QTest::qWait(300);
    EXPECT_TRUE(dialog.Running());
    EXPECT_TRUE(QRegularExpression(QStringLiteral(" / 2\\.1 GB · ")).match(dialog.ProgressText->text()).hasMatch())
        << dialog.ProgressText->text().toStdString();
    dialog.StopButton->click();

    EXPECT_FALSE(dialog.Running());
    EXPECT_EQ(Cells(dialog, TVerifyDialog::ResultColumn), (QStringList{QStringLiteral("一致"), kPending, kPending}));
    EXPECT_EQ(dialog.Summary->text(), QStringLiteral("已停止。校验完毕：一致 1 个，不一致 0 个，缺失 0 个，错误 0 个"));
}

} // namespace
} // namespace sumbrook::ui::test
