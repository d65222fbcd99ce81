// The calculation run: which entries it computes, its progress, what a drop,
// a stop or a failure in the middle of it does, and how it always ends.

#include <gtest/gtest.h>

#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

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
    bench.Select(false, {AlgorithmId::Md5});
    bench.intake.Drop({dir.Write("a", "a"), dir.Write("b", "b"), dir.Write("c", "c")});
    bench.Calculate();
    bench.intake.Drop({dir.Write("d", "d"), dir.Write("e", "e")});
    bench.window.allSteps = 0;
    bench.Calculate();

    EXPECT_EQ(bench.window.allMinimum, 0);
    EXPECT_EQ(bench.window.allMaximum, 5);
    EXPECT_EQ(bench.window.allSteps, 2);
    EXPECT_EQ(bench.window.allPosition, 5);
    EXPECT_EQ(bench.window.currentPosition, 100);
    EXPECT_EQ(bench.TopTexts(), (QStringList{"a", "b", "c", "d", "e"}));
    EXPECT_EQ(bench.Lines(3), QStringList{u"MD5：8277E0910D750195B448797616E091AD"_s});
    EXPECT_EQ(bench.Column(&FileListEntry::Status), QStringList(5, kChecked));

    // Nothing pending: no node, the bar still ends full.
    bench.window.allSteps = 0;
    bench.Calculate();
    EXPECT_EQ(bench.tree.TopCount(), 5);
    EXPECT_EQ(bench.window.allSteps, 0);
    EXPECT_EQ(bench.window.allPosition, 5);
    EXPECT_EQ(bench.window.Status(), kStatusDone);
}

TEST(Run, ShowsItsStateWhileRunningAndRestoresItAtTheEnd)
{
    TempDir dir;
    Bench bench;
    bench.Select(false, {AlgorithmId::Sha1});
    bench.intake.Drop({dir.Write("a", "a")});
    bool checked = false;
    bench.onFileDone = [&](int) {
        checked = true;
        EXPECT_TRUE(bench.run.Running());
        EXPECT_TRUE(bench.window.busy);
        EXPECT_TRUE(bench.window.progressBoxShown);
        EXPECT_EQ(bench.window.listCommandsEnabled, false);
        EXPECT_EQ(bench.window.Status(), u"正在计算，请稍候。"_s);
    };
    bench.Calculate();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(bench.run.Running());
    EXPECT_FALSE(bench.window.busy);
    EXPECT_FALSE(bench.window.progressBoxShown);
    EXPECT_EQ(bench.window.listCommandsEnabled, true);
    EXPECT_TRUE(bench.window.saveMenuEnabled);
    EXPECT_TRUE(bench.window.saveToolBtnEnabled);
    EXPECT_EQ(bench.window.Status(), kStatusDone);
}

// Entries dropped during a run wait for the next one, and the commands stay
// off until this run is over.
TEST(Run, DropDuringARunWaitsForTheNextOne)
{
    TempDir dir;
    Bench bench;
    bench.Select(true, {AlgorithmId::Md5});
    const QString late = dir.Write("late", "late");
    bench.intake.Drop({dir.Write("first", "first")});
    bench.window.listCommandCalls.clear();
    bench.onStarted = [&] { bench.intake.Drop({late}); };
    bench.Calculate();

    EXPECT_EQ(bench.window.listCommandCalls, (std::vector<bool>{false, true}));
    EXPECT_EQ(bench.TopTexts(), QStringList{"first"});
    EXPECT_EQ(bench.Column(&FileListEntry::Status), (QStringList{kChecked, kPending}));
    EXPECT_EQ(bench.window.allMaximum, 1);
    EXPECT_EQ(bench.Marks(), (std::vector<int>{-1, -1}));

    bench.onStarted = nullptr;
    bench.Calculate();
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
    bench.Select(false, {AlgorithmId::Md5});
    for (const char* name : {"a", "b", "c"})
        bench.files.Append(FileListEntry{name, kPending, "0KB", dir.Write(name, "x"), 5, 0});
    bench.window.onError = [&] {
        EXPECT_FALSE(bench.run.Running());
        EXPECT_FALSE(bench.window.busy);
        EXPECT_EQ(bench.window.Status(), kStatusDone);
        EXPECT_EQ(bench.window.listCommandsEnabled, true);
        EXPECT_TRUE(bench.window.saveMenuEnabled);
        EXPECT_TRUE(bench.window.saveToolBtnEnabled);
        EXPECT_FALSE(bench.window.progressBoxShown);
        EXPECT_EQ(bench.window.allPosition, 3);
        EXPECT_EQ(bench.Marks(), (std::vector<int>{-1, -1, -1})); // the marking has run
    };
    bench.Calculate();

    EXPECT_EQ(bench.window.errors, QStringList{"Tree is full."});
    EXPECT_EQ(bench.TopTexts(), QStringList{"a"});
    EXPECT_EQ(bench.Column(&FileListEntry::Status), (QStringList{kChecked, kPending, kPending}));
}

TEST(Run, EmptyListEndsAtOnceWithSavingEnabled)
{
    Bench bench;
    bench.Calculate();
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
    bench.intake.Drop({dir.Write("a", "a"), dir.Write("b", "a")});
    bench.Calculate();
    EXPECT_EQ(bench.TopTexts(), (QStringList{"a", "b"}));
    EXPECT_TRUE(bench.Lines(0).isEmpty() && bench.Lines(1).isEmpty());
    EXPECT_EQ(bench.Column(&FileListEntry::Status), QStringList(2, kChecked));
    EXPECT_EQ(bench.Marks(), (std::vector<int>{-1, -1}));
}

TEST(Run, ResetAfterAToggleComputesEverythingAgain)
{
    TempDir dir;
    Bench bench;
    bench.Select(false, {AlgorithmId::Md5});
    bench.intake.Drop({dir.Write("a", "abc")});
    bench.Calculate();
    bench.Select(false, {AlgorithmId::Sha1});
    bench.intake.ResetCheckStatus();
    EXPECT_EQ(bench.tree.TopCount(), 0);
    bench.Calculate();
    EXPECT_EQ(bench.TopTexts(), QStringList{"a"});
    EXPECT_EQ(bench.Lines(0), QStringList{u"SHA1：A9993E364706816ABA3E25717850C26C9CD0D89D"_s});
}

// Stopped while a large file is read: the files done keep their results,
// the one being read gets neither node nor lines, the rest stay pending,
// and the run ends as any run does. The file before the large one reaches
// the tree while the large one is read, whichever thread took which: a
// first file too large for a batch goes to a thread of its own, and the
// thread that pushed it then takes the large one.
TEST(Run, StopKeepsTheFilesDoneAndLeavesTheRestPending)
{
    for (const std::size_t firstSize : {std::size_t{3}, std::size_t{4} << 20}) {
        SCOPED_TRACE(firstSize);
        TempDir dir;
        const QString large = dir.Path("large.bin");
        const int fd = ::open(Native(large).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t{64} << 30), 0); // sparse: costs no disk, never read to its end here
        ::close(fd);

        Bench bench;
        bench.run.SetThreads(2);
        bench.Select(true, {AlgorithmId::Sha1, AlgorithmId::Md5});
        bench.intake.Drop({dir.Write("done", std::string(firstSize, 'a')), large, dir.Write("after", "after")});
        bool stopped = false;
        QObject::connect(&bench.run, &CalculationRun::Finished, [&](bool s) { stopped = s; });
        // Stop as soon as the large file is being read after the first is in.
        QObject::connect(&bench.run, &CalculationRun::Progress, [&](quint64 read, quint64 size, int filesDone, int) {
            if (filesDone == 1 && size > 0 && read > 0) bench.run.Stop();
        });
        bool waitedTooLong = false;
        QTimer::singleShot(60'000, &bench.run, [&] {
            waitedTooLong = true;
            bench.run.Stop();
        });
        bench.Calculate();

        EXPECT_FALSE(waitedTooLong) << "the first file never reached the tree while the large one was read";
        EXPECT_TRUE(stopped);
        EXPECT_FALSE(bench.run.Running());
        EXPECT_EQ(bench.TopTexts(), QStringList{"done"});
        EXPECT_EQ(bench.Lines(0).size(), 3);
        EXPECT_EQ(bench.Column(&FileListEntry::Status), (QStringList{kChecked, kPending, kPending}));
        EXPECT_EQ(bench.window.Status(), kStatusDone);
        EXPECT_FALSE(bench.window.busy);
        EXPECT_FALSE(bench.window.progressBoxShown);
        EXPECT_EQ(bench.window.listCommandsEnabled, true);
        EXPECT_TRUE(bench.window.saveMenuEnabled);
        EXPECT_TRUE(bench.window.errors.isEmpty());

        // The next run picks up where this one stopped (the large file dropped first).
        bench.files.Remove(1);
        bench.Calculate();
        EXPECT_EQ(bench.TopTexts(), (QStringList{"done", "after"}));
        EXPECT_EQ(bench.Column(&FileListEntry::Status), QStringList(2, kChecked));

        // A stop when no run goes on does nothing.
        bench.window.statusTexts.clear();
        bench.run.Stop();
        EXPECT_TRUE(bench.window.statusTexts.isEmpty());
    }
}

// A run left going when its owner goes is stopped, without waiting for the
// file being read.
TEST(Run, RunStillGoingIsStoppedWithItsOwner)
{
    TempDir dir;
    const QString large = dir.Path("large.bin");
    const int fd = ::open(Native(large).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, off_t{64} << 30), 0);
    ::close(fd);
    auto bench = std::make_unique<Bench>();
    bench->intake.Drop({large});
    bench->run.Start(bench->selection);
    EXPECT_TRUE(bench->run.Running());
    bench.reset(); // a hang here would mean the whole file was read
}

} // namespace
