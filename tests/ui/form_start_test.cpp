// `sumbrook [PATH...]`: the command line read as app/main reads it, and its
// paths added as a drop adds them.

#include <QDir>

#include <string>
#include <vector>

#include "tests/ui/form_fixture.h"
#include "ui/start_arguments.h"

namespace sumbrook::ui::test {
namespace {

TStartArguments Read(const std::vector<std::string>& words)
{
    std::vector<std::string> copies = words;
    std::vector<char*> argv;
    for (std::string& word : copies) argv.push_back(word.data());
    return ReadStartArguments(argv);
}

// Restores the working folder a test moved to.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString& path) : previous_(QDir::currentPath()) { QDir::setCurrent(path); }
    ~CurrentFolder() { QDir::setCurrent(previous_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    QString previous_;
};

TEST_F(FormTest, FilesAndFoldersNamedAtStartAreAddedAsADropAddsThem)
{
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("folder/deeper")));
    WriteFile(QStringLiteral("folder/deeper/hidden.txt"), kOther);
    const QString inner = WriteFile(QStringLiteral("folder/inner.txt"), kOther);
    const QString file = WriteFile(QStringLiteral("a.txt"), kSame);
    const QString dashed = WriteFile(QStringLiteral("-dashed.txt"), kSame);
    const QString absolute = WriteFile(QStringLiteral("b.txt"), kSame);

    TStartArguments read;
    {
        const CurrentFolder here(dir_.path()); // relative names as a shell passes them
        read = Read({"sumbrook", "a.txt", "folder/", "--", "-dashed.txt", absolute.toStdString()});
    }
    EXPECT_TRUE(read.Error.isEmpty());
    Form().show();
    OpenStartPaths(Form(), read.Paths);

    EXPECT_EQ(Paths(), (QStringList{file, inner, dashed, absolute}));
    EXPECT_EQ(Statuses(), Repeated(QStringLiteral("待校验"), 4));
    EXPECT_EQ(StatusText(), QStringLiteral("待计算的文件总数:4"));
    EXPECT_TRUE(Form().CalculateMenu->isEnabled());
}

TEST_F(FormTest, NoPathsLeaveTheListEmptyAndAnUnknownOptionIsAnError)
{
    const TStartArguments none = Read({"sumbrook"});
    EXPECT_TRUE(none.Error.isEmpty());
    OpenStartPaths(Form(), none.Paths);
    EXPECT_EQ(Form().NeedCheckFileList->rowCount(), 0);
    EXPECT_EQ(StatusText(), QStringLiteral("准备就绪"));

    const TStartArguments wrong = Read({"sumbrook", "a.txt", "--frobnicate"});
    EXPECT_TRUE(wrong.Error.contains(QStringLiteral("--frobnicate")));
}

} // namespace
} // namespace sumbrook::ui::test
