// Same-content marking: groups of entries whose last results agree.

#include <gtest/gtest.h>

#include "tests/workflow/fakes.h"
#include "workflow/texts.h"

using namespace sumbrook::workflow;
using namespace sumbrook::workflow::testing;
using namespace Qt::StringLiterals;

namespace {

// SHA-1 and MD5 of a file, the MD5 all bytes Value; or nothing, for an entry
// without a top node.
std::optional<FileResult> Md5(std::uint8_t value, std::uint8_t sha1 = 0)
{
    const std::array<std::uint8_t, 20> a{sha1};
    std::array<std::uint8_t, 16> b{};
    b.fill(value);
    return FileResult{
        false, {{AlgorithmId::Sha1, false, DigestValue(a)}, {AlgorithmId::Md5, false, DigestValue(b)}}, {}};
}

std::vector<int> Mark(const std::vector<std::optional<FileResult>>& results)
{
    std::vector<std::optional<MarkingKey>> keys;
    for (const auto& result : results) keys.push_back(result ? MarkingKey::Of(*result) : std::nullopt);
    return GroupMarks(keys);
}

TEST(Marking, EqualLastResultsFormGroupsNumberedByFirstMember)
{
    EXPECT_EQ(Mark({Md5(1), Md5(1), Md5(1)}), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(Mark({Md5(1), Md5(2), Md5(1), Md5(2)}), (std::vector<int>{1, 2, 1, 2}));
    EXPECT_EQ(Mark({Md5(2), Md5(3), Md5(1), Md5(1), Md5(2)}), (std::vector<int>{1, -1, 2, 2, 1}));
    // Only the last result counts.
    EXPECT_EQ(Mark({Md5(1, 11), Md5(1, 22)}), (std::vector<int>{1, 1}));
    // The same bytes from two algorithms are two different lines.
    const std::array<std::uint8_t, 16> bytes{};
    const FileResult md4{false, {{AlgorithmId::Md4, false, DigestValue(bytes)}}, {}};
    const FileResult md5{false, {{AlgorithmId::Md5, false, DigestValue(bytes)}}, {}};
    EXPECT_EQ(Mark({md4, md5}), (std::vector<int>{-1, -1}));
}

TEST(Marking, GroupsFromTheNinthOnShareMarkNine)
{
    std::vector<std::optional<FileResult>> results;
    for (std::uint8_t pair = 0; pair < 10; ++pair) {
        results.push_back(Md5(pair));
        results.push_back(Md5(pair));
    }
    const std::vector<int> expected = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 9, 9};
    EXPECT_EQ(Mark(results), expected);
}

// Failed reads group among themselves, which uses up a number, then lose it.
TEST(Marking, FailedReadsGetMarkZero)
{
    FileResult failed = *Md5(0);
    for (AlgorithmResult& r : failed.Values) r.Failed = true;
    EXPECT_EQ(Mark({failed, failed, Md5(1), Md5(1)}), (std::vector<int>{0, 0, 2, 2}));
    // Only CRC-32 selected, and it failed.
    const FileResult crcFailed{false, {{AlgorithmId::Crc32, true, {}}}, {}};
    EXPECT_EQ(Mark({crcFailed, Md5(1), Md5(1)}), (std::vector<int>{0, 1, 1}));
    // One failed digest gives the error line, whichever it is.
    FileResult sha1Failed = *Md5(1);
    sha1Failed.Values[0].Failed = true;
    EXPECT_EQ(Mark({sha1Failed}), (std::vector<int>{0}));
}

TEST(Marking, EntriesWithoutLinesOrNodesStayOutside)
{
    const FileResult vanished{true, {}, "No such file"};
    EXPECT_EQ(Mark({vanished, vanished, Md5(1), Md5(1)}), (std::vector<int>{-1, -1, 1, 1}));
    EXPECT_EQ(Mark({Md5(1), Md5(2), std::nullopt, std::nullopt}), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(Mark({}), std::vector<int>{});
}

TEST(Marking, CheckSameFileMarksTheListFromTheTreeAndIgnoresExtraNodes)
{
    Bench bench;
    for (const char* name : {"a", "b", "c"}) bench.files.Append(FileListEntry{name, kChecked, "0KB", "/x", 4, 0});
    bench.results.Append("a", *Md5(1));
    bench.results.Append("b", *Md5(1));
    CheckSameFile(bench.files, bench.results);
    EXPECT_EQ(bench.Marks(), (std::vector<int>{1, 1, -1})); // a stale mark goes too
    bench.results.Append("c", *Md5(2));
    bench.results.Append("extra", *Md5(2));
    CheckSameFile(bench.files, bench.results);
    EXPECT_EQ(bench.Marks(), (std::vector<int>{1, 1, -1}));
    bench.results.Clear();
    CheckSameFile(bench.files, bench.results);
    EXPECT_EQ(bench.Marks(), (std::vector<int>{-1, -1, -1}));
}

// A CRC of 0 is a result like any other, so two empty files are equal.
TEST(Marking, EmptyFilesWithOnlyCrcFormAGroup)
{
    TempDir dir;
    Bench bench;
    bench.Select(true);
    bench.intake.Drop({dir.Write("e1", ""), dir.Write("x", "x"), dir.Write("e2", "")});
    bench.Calculate();
    EXPECT_EQ(bench.Lines(2), QStringList{u"CRC32_FCS32：000000"_s});
    EXPECT_EQ(bench.Marks(), (std::vector<int>{1, -1, 1}));
}

} // namespace
