// Files entering the list through the dialogs, a folder and drops, and
// leaving it through the two delete commands.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "tests/workflow/fakes.h"
#include "workflow/file_naming.h"
#include "platform/folder_listing.h"
#include "workflow/texts.h"

using namespace sumbrook::workflow;
using namespace sumbrook::workflow::testing;
using namespace Qt::StringLiterals;

namespace {

TEST(Intake, FolderGivesItsFilesInNameOrderHiddenIncluded)
{
    TempDir dir;
    const QString folder = dir.Folder("in");
    dir.Write("in/b.txt", std::string(1536, 'b'));
    dir.Write("in/.hidden", "h");
    dir.Write("in/a.txt", "");
    dir.Folder("in/sub");
    dir.Write("in/sub/inner.txt", "not added");
    dir.Fifo("in/pipe");
    ASSERT_EQ(::symlink("b.txt", Native(dir.Path("in/link-to-b")).c_str()), 0);
    ASSERT_EQ(::symlink("sub", Native(dir.Path("in/link-to-sub")).c_str()), 0);

    // From the folder dialog, and dropped, with and without a trailing "/".
    for (const QString& given : {folder, folder + u'/'}) {
        Bench bench;
        bench.window.folderAnswer = given;
        bench.intake.AddFolder();
        Bench dropped;
        dropped.intake.Drop({given});
        for (const Bench* b : {&bench, &dropped}) {
            SCOPED_TRACE(given.toStdString());
            EXPECT_EQ(b->Column(&FileListEntry::Caption), (QStringList{".hidden", "a.txt", "b.txt", "link-to-b"}));
            EXPECT_EQ(b->Column(&FileListEntry::Path),
                      (QStringList{folder + "/.hidden", folder + "/a.txt", folder + "/b.txt", folder + "/link-to-b"}));
            EXPECT_EQ(b->Column(&FileListEntry::SizeText), (QStringList{"0KB", "0KB", "1.5KB", "1.5KB"}));
            EXPECT_EQ(b->Column(&FileListEntry::Status), QStringList(4, kPending));
            EXPECT_EQ(b->Marks(), std::vector<int>(4, -1));
            EXPECT_EQ(b->window.Status(), u"待计算的文件总数:4"_s);
            EXPECT_EQ(b->window.listCommandsEnabled, true);
            EXPECT_EQ(b->window.iconPaths, b->Column(&FileListEntry::Path));
            EXPECT_EQ(b->files.Entry(0).ImageIndex, b->window.iconIndex);
        }
    }
}

TEST(Intake, RootFolderGivesPathsWithOneSlash)
{
    Bench bench;
    bench.window.folderAnswer = "/";
    bench.intake.AddFolder();
    const auto listing = sumbrook::platform::ListFolder("/");
    ASSERT_TRUE(listing.has_value());
    QStringList expected;
    for (const auto& entry : *listing)
        if (entry.Kind == sumbrook::platform::FolderEntry::Kind::RegularFile)
            expected << u'/' + QFile::decodeName(entry.Name.c_str());
    if (expected.isEmpty()) GTEST_SKIP() << "no regular file directly in /";
    EXPECT_EQ(bench.Column(&FileListEntry::Path), expected);
}

TEST(Intake, DropKeepsTheOrderAndDuplicates)
{
    TempDir dir;
    const QString first = dir.Write("z-first", "1");
    const QString last = dir.Write("a-last", "2");
    const QString folder = dir.Folder("folder");
    dir.Write("folder/y", "3");
    dir.Write("folder/x", "4");
    Bench bench;
    bench.intake.Drop({first, folder, last, first});
    EXPECT_EQ(bench.Column(&FileListEntry::Path), (QStringList{first, folder + "/x", folder + "/y", last, first}));
    EXPECT_EQ(bench.window.Status(), u"待计算的文件总数:5"_s);
}

TEST(Intake, OpenDialogAddsInItsOrderAndVanishedPathsGetZeroSize)
{
    TempDir dir;
    Bench bench;
    const QString missing = dir.Path("missing.txt");
    bench.window.openFilesAnswer = QStringList{dir.Write("b", std::string(1000, 'b')), missing};
    bench.intake.AddFiles();
    EXPECT_EQ(bench.Column(&FileListEntry::Caption), (QStringList{"b", "missing.txt"}));
    EXPECT_EQ(bench.Column(&FileListEntry::SizeText), (QStringList{"0.98KB", "0KB"}));
    // A missing file keeps the icon it had: none was found for it.
    EXPECT_EQ(bench.window.iconPaths, QStringList{dir.Path("b")});
    EXPECT_EQ(bench.files.Entry(1).ImageIndex, 0);
}

TEST(Intake, CancelledDialogsStillRefreshIconsAndCount)
{
    TempDir dir;
    Bench bench;
    // With an empty list a cancel changes nothing at all.
    bench.intake.AddFiles();
    bench.window.folderAnswer = QString(); // the folder browser's cancel
    bench.intake.AddFolder();
    EXPECT_TRUE(bench.window.statusTexts.isEmpty());
    EXPECT_FALSE(bench.window.listCommandsEnabled.has_value());

    bench.intake.Drop({dir.Write("f", "f")});
    bench.window.iconPaths.clear();
    bench.window.statusTexts.clear();
    bench.intake.AddFiles();
    EXPECT_EQ(bench.window.iconPaths, QStringList{dir.Path("f")});
    EXPECT_EQ(bench.window.statusTexts, QStringList{u"待计算的文件总数:1"_s});
    bench.window.folderAnswer.reset();
    bench.intake.AddFolder();
    EXPECT_EQ(bench.window.iconPaths.size(), 2);
    EXPECT_EQ(bench.files.Count(), 1);
}

// No 259-character limit anywhere between intake and result.
TEST(Intake, LongPathsWorkEndToEnd)
{
    TempDir dir;
    QString relative;
    for (int level = 0; level < 6; ++level) relative += QString(50, QChar(u'a' + level)) + u'/';
    const QString folder = dir.Folder(relative.chopped(1));
    const QString file = dir.Write(relative + QString(60, u'f') + ".txt", "123456789");
    ASSERT_GT(file.size(), 360);

    Bench bench;
    bench.Select(true, {AlgorithmId::Md5});
    bench.intake.Drop({folder, file});
    bench.Calculate();
    EXPECT_EQ(bench.Column(&FileListEntry::Path), (QStringList{file, file}));
    EXPECT_EQ(bench.files.Entry(0).SizeText, "0.01KB");
    const QStringList lines = {u"CRC32_FCS32：CBF43926"_s, u"MD5：25F9E794323B453885F5181F1B624D0B"_s};
    EXPECT_EQ(bench.Lines(0), lines);
    EXPECT_EQ(bench.Lines(1), lines);
}

TEST(Intake, NamesBeyondGbkWorkEndToEnd)
{
    TempDir dir;
    const QString name = u"校验 😀 Ω.txt"_s;
    dir.Folder("folder");
    dir.Write("folder/" + name, "abc");
    Bench bench;
    bench.Select(false, {AlgorithmId::Md5});
    bench.intake.Drop({dir.Path("folder")});
    bench.Calculate();
    EXPECT_EQ(bench.Column(&FileListEntry::Caption), QStringList{name});
    EXPECT_EQ(bench.TopTexts(), QStringList{name});
    EXPECT_EQ(bench.Lines(0), QStringList{u"MD5：900150983CD24FB0D6963F7D28E17F72"_s});
}

// Linux allows any bytes in a name: one that is no UTF-8 is shown with
// U+FFFD but opened by its own bytes.
TEST(Intake, NamesThatAreNoUtf8AreOpenedByTheirOwnBytes)
{
    TempDir dir;
    const std::string folder = Native(dir.Folder("folder"));
    std::ofstream(folder + "/caf\xE9.txt") << "abc";
    std::ofstream(folder + "/\xED\xA0\x80\xC0\xAF") << "abc"; // an encoded surrogate, an overlong "/"
    Bench bench;
    bench.Select(false, {AlgorithmId::Md5});
    bench.intake.Drop({dir.Path("folder"), PathFromNative(folder + "/caf\xE9.txt")});
    bench.Calculate();
    EXPECT_EQ(bench.Column(&FileListEntry::Caption),
              (QStringList{u"caf\uFFFD.txt"_s, u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"_s, u"caf\uFFFD.txt"_s}));
    EXPECT_EQ(NativePath(bench.files.Entry(0).Path), folder + "/caf\xE9.txt");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bench.Lines(i), QStringList{u"MD5：900150983CD24FB0D6963F7D28E17F72"_s}) << i;
}

// Three files, the first two equal, computed with MD5.
void FillAndRun(Bench& bench, const TempDir& dir)
{
    bench.Select(false, {AlgorithmId::Md5});
    bench.intake.Drop({dir.Write("one", "same"), dir.Write("two", "same"), dir.Write("three", "other")});
    bench.Calculate();
    ASSERT_EQ(bench.Marks(), (std::vector<int>{1, 1, -1}));
}

TEST(Delete, SelectedEntryClearsResultsAndMarksAndRefreshesTheCount)
{
    TempDir dir;
    Bench bench;
    FillAndRun(bench, dir);
    bench.files.Select(2);
    bench.intake.DeleteSelected();
    EXPECT_EQ(bench.Column(&FileListEntry::Caption), (QStringList{"one", "two"}));
    EXPECT_EQ(bench.tree.TopCount(), 0);
    EXPECT_EQ(bench.Column(&FileListEntry::Status), (QStringList{kPending, kPending}));
    EXPECT_EQ(bench.Marks(), (std::vector<int>{-1, -1}));
    EXPECT_EQ(bench.window.Status(), u"待计算的文件总数:2"_s);
    EXPECT_EQ(bench.window.listCommandsEnabled, true);

    // Without a selection the results go all the same.
    bench.Calculate();
    ASSERT_EQ(bench.tree.TopCount(), 2);
    bench.intake.DeleteSelected();
    EXPECT_EQ(bench.files.Count(), 2);
    EXPECT_EQ(bench.tree.TopCount(), 0);
    EXPECT_EQ(bench.Marks(), (std::vector<int>{-1, -1}));

    for (int left = 1; left >= 0; --left) {
        bench.files.Select(0);
        bench.intake.DeleteSelected();
        EXPECT_EQ(bench.files.Count(), left);
    }
    EXPECT_EQ(bench.window.Status(), kStatusReady);
}

TEST(Delete, ClearingTheListDisablesOnlyTheSaveButton)
{
    TempDir dir;
    Bench bench;
    FillAndRun(bench, dir);
    ASSERT_TRUE(bench.window.saveMenuEnabled && bench.window.saveToolBtnEnabled);
    bench.intake.ClearList();
    EXPECT_EQ(bench.files.Count(), 0);
    EXPECT_EQ(bench.tree.TopCount(), 0);
    EXPECT_FALSE(bench.window.saveToolBtnEnabled);
    EXPECT_TRUE(bench.window.saveMenuEnabled);
    EXPECT_EQ(bench.window.listCommandsEnabled, true);
    EXPECT_EQ(bench.window.Status(), kStatusReady);
    EXPECT_EQ(bench.window.currentPosition, 0);
    EXPECT_EQ(bench.window.allPosition, 0);
}

} // namespace
