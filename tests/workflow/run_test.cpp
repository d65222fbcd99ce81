// The calculation run: which entries it computes, its progress, what a drop
// or a failure in the middle of it does, and how it always ends.

#include <gtest/gtest.h>

#include "tests/workflow/fakes.h"
#include "workflow/texts.h"

using namespace sumbrook::workflow;
using namespace sumbrook::workflow::testing;
using namespace Qt::StringLiterals;

namespace {

TEST(Run, ComputesOnlyNewEntriesBehindTheOldNodes)
{
    TempDir dir;
    Bench bench;
    bench.Select(false, {9});
    bench.flow.WMDropFiles({dir.Write("a", "a"), dir.Write("b", "b"), dir.Write("c", "c")});
    bench.flow.CalculateMenuClick();
    bench.flow.WMDropFiles({dir.Write("d", "d"), dir.Write("e", "e")});
    bench.window.allSteps = 0;
    bench.window.processMessagesCount = 0;
    bench.flow.CalculateMenuClick();

    EXPECT_EQ(bench.window.allMinimum, 0);
    EXPECT_EQ(bench.window.allMaximum, 5);
    EXPECT_EQ(bench.window.allSteps, 2);
    EXPECT_EQ(bench.window.allPosition, 5);
    EXPECT_EQ(bench.window.currentPosition, 100);
    EXPECT_EQ(bench.window.processMessagesCount, 2);
    EXPECT_EQ(bench.TopTexts(), (QStringList{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(bench.Lines(3), QStringList{u"MD5：8277E0910D750195B448797616E091AD"_s});
    EXPECT_EQ(bench.Column(&FileListEntry::Status), QStringList(5, kChecked));

    // Nothing pending: no node, the bar still ends full.
    bench.window.allSteps = 0;
    bench.flow.CalculateMenuClick();
    EXPECT_EQ(bench.tree.TopCount(), 5);
    EXPECT_EQ(bench.window.allSteps, 0);
    EXPECT_EQ(bench.window.allPosition, 5);
    EXPECT_EQ(bench.window.Status(), kStatusDone);
}

TEST(Run, ShowsItsStateWhileRunningAndRestoresItAtTheEnd)
{
    TempDir dir;
    Bench bench;
    bench.Select(false, {0});
    bench.flow.WMDropFiles({dir.Write("a", "a")});
    bool checked = false;
    bench.window.onProcessMessages = [&] {
        checked = true;
        EXPECT_TRUE(bench.flow.Calculating());
        EXPECT_TRUE(bench.window.busy);
        EXPECT_TRUE(bench.window.progressBoxShown);
        EXPECT_EQ(bench.window.listCommandsEnabled, false);
        EXPECT_EQ(bench.window.Status(), u"正在计算，请稍候。"_s);
    };
    bench.flow.CalculateMenuClick();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(bench.flow.Calculating());
    EXPECT_FALSE(bench.window.busy);
    EXPECT_FALSE(bench.window.progressBoxShown);
    EXPECT_EQ(bench.window.listCommandsEnabled, true);
    EXPECT_TRUE(bench.window.saveMenuEnabled);
    EXPECT_TRUE(bench.window.saveToolBtnEnabled);
    EXPECT_EQ(bench.window.Status(), kStatusDone);
}

// Entries dropped while the window handles messages wait for the next run,
// and the commands stay off until this run is over.
TEST(Run, DropDuringARunWaitsForTheNextOne)
{
    TempDir dir;
    Bench bench;
    bench.Select(true, {9});
    const QString late = dir.Write("late", "late");
    bench.flow.WMDropFiles({dir.Write("first", "first")});
    bench.window.listCommandCalls.clear();
    int drops = 0;
    bench.window.onProcessMessages = [&] {
        if (drops++ == 0) bench.flow.WMDropFiles({late});
    };
    bench.flow.CalculateMenuClick();

    EXPECT_EQ(bench.window.listCommandCalls, (std::vector<bool>{false, true}));
    EXPECT_EQ(bench.TopTexts(), QStringList{"first"});
    EXPECT_EQ(bench.Column(&FileListEntry::Status), (QStringList{kChecked, kPending}));
    EXPECT_EQ(bench.window.allMaximum, 1);
    EXPECT_EQ(bench.Marks(), (std::vector<int>{-1, -1}));

    bench.window.onProcessMessages = nullptr;
    bench.flow.CalculateMenuClick();
    EXPECT_EQ(bench.TopTexts(), (QStringList{"first", "late"}));
    EXPECT_EQ(bench.Lines(1).size(), 2);
}

// A failure the job does not handle ends the loop; the run still ends in
// full, and only then the error box appears.
TEST(Run, FailureEndsTheRunThenShowsTheErrorBox)
{
    TempDir dir;
    FailingTree tree(2);
    Bench bench(&tree);
    bench.Select(false, {9});
    for (const char* name : {"a", "b", "c"})
        bench.files.Append(FileListEntry{name, kPending, "0KB", dir.Write(name, "x"), 5, 0});
    bench.window.onError = [&] {
        EXPECT_FALSE(bench.flow.Calculating());
        EXPECT_FALSE(bench.window.busy);
        EXPECT_EQ(bench.window.Status(), kStatusDone);
        EXPECT_EQ(bench.window.listCommandsEnabled, true);
        EXPECT_TRUE(bench.window.saveMenuEnabled);
        EXPECT_TRUE(bench.window.saveToolBtnEnabled);
        EXPECT_FALSE(bench.window.progressBoxShown);
        EXPECT_EQ(bench.window.allPosition, 3);
        EXPECT_EQ(bench.Marks(), (std::vector<int>{-1, -1, -1})); // the marking has run
    };
    bench.flow.CalculateMenuClick();

    EXPECT_EQ(bench.window.errors, QStringList{"Tree is full."});
    EXPECT_EQ(bench.TopTexts(), QStringList{"a"});
    EXPECT_EQ(bench.Column(&FileListEntry::Status), (QStringList{kChecked, kPending, kPending}));
}

TEST(Run, EmptyListEndsAtOnceWithSavingEnabled)
{
    Bench bench;
    bench.flow.CalculateMenuClick();
    EXPECT_EQ(bench.window.allMaximum, 0);
    EXPECT_EQ(bench.window.Status(), kStatusDone);
    EXPECT_TRUE(bench.window.saveMenuEnabled);
    EXPECT_TRUE(bench.window.saveToolBtnEnabled);
    EXPECT_TRUE(bench.window.errors.isEmpty());
}

TEST(Run, NoAlgorithmGivesNodesWithoutLines)
{
    TempDir dir;
    Bench bench;
    bench.Select(false);
    bench.flow.WMDropFiles({dir.Write("a", "a"), dir.Write("b", "a")});
    bench.flow.CalculateMenuClick();
    EXPECT_EQ(bench.TopTexts(), (QStringList{"a", "b"}));
    EXPECT_TRUE(bench.Lines(0).isEmpty() && bench.Lines(1).isEmpty());
    EXPECT_EQ(bench.Column(&FileListEntry::Status), QStringList(2, kChecked));
    EXPECT_EQ(bench.window.processMessagesCount, 0);
    EXPECT_EQ(bench.Marks(), (std::vector<int>{-1, -1}));
}

TEST(Run, ResetAfterAToggleComputesEverythingAgain)
{
    TempDir dir;
    Bench bench;
    bench.Select(false, {9});
    bench.flow.WMDropFiles({dir.Write("a", "abc")});
    bench.flow.CalculateMenuClick();
    bench.Select(false, {0});
    bench.flow.ResetCheckStatus();
    EXPECT_EQ(bench.tree.TopCount(), 0);
    bench.flow.CalculateMenuClick();
    EXPECT_EQ(bench.TopTexts(), QStringList{"a"});
    EXPECT_EQ(bench.Lines(0), QStringList{u"SHA1：A9993E364706816ABA3E25717850C26C9CD0D89D"_s});
}

} // namespace
