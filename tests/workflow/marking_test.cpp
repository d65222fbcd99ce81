// Same-content marking: groups of entries whose last result lines agree.

#include <gtest/gtest.h>

#include "tests/workflow/fakes.h"
#include "workflow/texts.h"

using namespace sumbrook::workflow;
using namespace sumbrook::workflow::testing;
using namespace Qt::StringLiterals;

namespace {

// One entry per item; each has a top node with these lines, except when it
// is nothing (an entry added after the last run). Returns the marks.
std::vector<int> Mark(const std::vector<std::optional<QStringList>>& results)
{
    Bench bench;
    bool nodesEnded = false;
    for (const auto& lines : results) {
        bench.files.Append(FileListEntry{"f", kChecked, "0KB", "/f", 4, 0}); // stale marks must go
        if (!lines) {
            nodesEnded = true;
            continue;
        }
        EXPECT_FALSE(nodesEnded) << "top nodes belong to the first entries";
        const int top = bench.tree.AppendTop("f");
        for (const QString& line : *lines) bench.tree.AppendLine(top, line);
    }
    bench.flow.CheckSameFile();
    return bench.Marks();
}

QStringList Md5(char value)
{
    return {u"SHA1：00"_s, u"MD5："_s + QString(32, QChar::fromLatin1(value))};
}

TEST(Marking, EqualLastLinesFormGroupsNumberedByFirstMember)
{
    EXPECT_EQ(Mark({Md5('A'), Md5('A'), Md5('A')}), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Mark({Md5('A'), Md5('B'), Md5('A'), Md5('B')}), (std::vector<int>{1, 2, 1, 2}));
    EXPECT_EQ(Mark({Md5('B'), Md5('C'), Md5('A'), Md5('A'), Md5('B')}), (std::vector<int>{1, -1, 2, 2, 1}));
    // Only the last line counts.
    EXPECT_EQ(Mark({{{"SHA1：11", "MD5：AA"}}, {{"SHA1：22", "MD5：AA"}}}), (std::vector<int>{1, 1}));
}

TEST(Marking, GroupsFromTheNinthOnShareMarkNine)
{
    std::vector<std::optional<QStringList>> results;
    for (int pair = 0; pair < 10; ++pair) {
        results.push_back(Md5(static_cast<char>('A' + pair)));
        results.push_back(Md5(static_cast<char>('A' + pair)));
    }
    const std::vector<int> expected = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 9, 9};
    EXPECT_EQ(Mark(results), expected);
}

// Error lines group among themselves, which uses up a number, then lose it.
TEST(Marking, ErrorLinesGetMarkZero)
{
    const QStringList failed = {kDigestErrorLine};
    EXPECT_EQ(Mark({failed, failed, Md5('A'), Md5('A')}), (std::vector<int>{0, 0, 2, 2}));
    EXPECT_EQ(Mark({{{kCrcErrorLine}}, Md5('A'), Md5('A')}), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(Mark({{{u"MD5：AA"_s, kDigestErrorLine}}}), (std::vector<int>{0}));
}

TEST(Marking, EntriesWithoutLinesOrNodesStayOutside)
{
    const QStringList vanished;
    EXPECT_EQ(Mark({vanished, vanished, Md5('A'), Md5('A')}), (std::vector<int>{-1, -1, 1, 1}));
    EXPECT_EQ(Mark({Md5('A'), Md5('B'), std::nullopt, std::nullopt}), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(Mark({}), std::vector<int>{});
}

TEST(Marking, ExtraTopNodesAreIgnored)
{
    // A run that failed right after appending a node leaves one node more.
    Bench bench;
    bench.files.Append(FileListEntry{"a", kChecked, "0KB", "/a", -1, 0});
    for (int i = 0; i < 2; ++i) bench.tree.AppendLine(bench.tree.AppendTop("a"), "MD5：AA");
    bench.flow.CheckSameFile();
    EXPECT_EQ(bench.Marks(), std::vector<int>{-1});
}

// A CRC of 0 is a result like any other, so two empty files are equal.
TEST(Marking, EmptyFilesWithOnlyCrcFormAGroup)
{
    TempDir dir;
    Bench bench;
    bench.Select(true);
    bench.flow.WMDropFiles({dir.Write("e1", ""), dir.Write("x", "x"), dir.Write("e2", "")});
    bench.flow.CalculateMenuClick();
    EXPECT_EQ(bench.Lines(2), QStringList{u"CRC32_FCS32：000000"_s});
    EXPECT_EQ(bench.Marks(), (std::vector<int>{1, -1, 1}));
}

} // namespace
