// The results leave the window through the clipboard and a result file;
// a file that cannot be created is reported in the error box.

#include <QFileInfo>

#include "platform/ansi_codepage.h"
#include "tests/ui/form_fixture.h"

namespace sumbrook::ui::test {
namespace {

const QString kHeader = QStringLiteral("Sumbrook校验结果：\r\n\r\n");

class ExportTest : public FormTest {
protected:
    // A run over two files with different contents.
    void RunTwoFiles()
    {
        AddFiles({WriteFile(QStringLiteral("a.txt"), kSame), WriteFile(QStringLiteral("b.txt"), kOther)});
        Calculate();
    }

    static QByteArray Ansi(const QString& text)
    {
        return QByteArray::fromStdString(platform::ToAnsiCodePage(text.toStdU16String()));
    }
};

TEST_F(ExportTest, CopyAllPutsTheHeaderAndEveryNodeOnTheClipboard)
{
    Form().NCopyAllToClip->trigger(); // an empty tree still gives the header
    Form().CopyResultMenu->trigger(); // nothing selected: nothing copied
    RunTwoFiles();
    Form().NCopyAllToClip->trigger();

    QString all = kHeader;
    for (const auto& [name, bytes] :
         {std::pair{QStringLiteral("a.txt"), kSame}, std::pair{QStringLiteral("b.txt"), kOther}}) {
        all += name + QStringLiteral("\r\n\r\n");
        for (const QString& line : DefaultLines(bytes)) all += line + QStringLiteral("\r\n\r\n");
    }
    EXPECT_EQ(stubs_.ClipboardTexts, (QStringList{kHeader, all}));
}

TEST_F(ExportTest, SaveWritesOneTabIndentedLinePerNode)
{
    const QString path = WriteFile(QStringLiteral("result.txt"), QByteArray(4096, 'x'));
    stubs_.SavePath = path;

    Form().NSaveAllResult->trigger(); // before any run: an empty file
    EXPECT_EQ(QFileInfo(path).size(), 0);

    RunTwoFiles();
    Form().SaveToolBtn->trigger();

    QString text;
    for (const auto& [name, bytes] :
         {std::pair{QStringLiteral("a.txt"), kSame}, std::pair{QStringLiteral("b.txt"), kOther}}) {
        text += name + QStringLiteral("\r\n");
        for (const QString& line : DefaultLines(bytes)) text += QStringLiteral("\t") + line + QStringLiteral("\r\n");
    }
    EXPECT_EQ(ReadFile(path), Ansi(text));
    EXPECT_EQ(stubs_.SaveCalls, 2);

    stubs_.SavePath.reset(); // cancelled: the file stays as it is
    Form().SaveMenu->trigger();
    EXPECT_EQ(ReadFile(path), Ansi(text));
    EXPECT_TRUE(stubs_.ErrorMessages.isEmpty());
}

TEST_F(ExportTest, SaveIntoAMissingFolderShowsTheErrorBox)
{
    RunTwoFiles();
    const QString path = dir_.filePath(QStringLiteral("missing/result.txt"));
    stubs_.SavePath = path;

    Form().NSaveAllResult->trigger();

    ASSERT_EQ(stubs_.ErrorMessages.size(), 1);
    const QString message = stubs_.ErrorMessages.front();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path))) << message.toStdString();
    EXPECT_TRUE(message.endsWith(u'.')) << message.toStdString();
    EXPECT_FALSE(message.endsWith(QStringLiteral(".."))) << message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(StatusText(), QStringLiteral("计算完毕")); // the window goes on as it was
}

} // namespace
} // namespace sumbrook::ui::test
