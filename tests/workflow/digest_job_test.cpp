// The digest job on real files through a run: the lines of each path, and
// what special, unreadable and vanished files give.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <QRegularExpression>

#include "tests/workflow/fakes.h"
#include "base/byte_source.h"
#include "workflow/file_digest_job.h"
#include "workflow/result_line.h"
#include "workflow/texts.h"

using namespace sumbrook::workflow;
using namespace sumbrook::workflow::testing;
using namespace Qt::StringLiterals;

namespace {

// The window's digests: the published HAVAL is sumbrook-cli's alone.
constexpr sumbrook::AlgorithmSet kAllDigests = [] {
    sumbrook::AlgorithmSet set = sumbrook::AlgorithmSet::All().Digests();
    set.Erase(sumbrook::AlgorithmId::HavalPublished);
    return set;
}();

void DropAndRun(Bench& bench, const QStringList& paths)
{
    bench.intake.Drop(paths);
    bench.Calculate();
}

// 16385 bytes: one full digest block, one byte more, then the empty read.
std::string Pattern(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

TEST(DigestJob, ElevenLinesInCatalogueOrder)
{
    TempDir dir;
    Bench bench;
    bench.Select(true, kAllDigests);
    DropAndRun(bench, {dir.Write("pattern.bin", Pattern(16385))});

    // Values from rhash and coreutils where they know the algorithm; the
    // HAVAL padding is this program's own and RIPEMD-128 is not offered there.
    const std::pair<const char16_t*, const char*> expected[] = {
        {u"CRC32_FCS32", "E033BD2C"},
        {u"SHA1", "E7C583688A0CE3D717FA5E284E36FF5E30CF4B8B"},
        {u"Haval256", nullptr},
        {u"MD4", "8BE541C20B1D17A3CE58FAED01DE8B02"},
        {u"RipeMD-128", nullptr},
        {u"RipeMD-160", "F347B3A9E1ECDE27F0C3455D54728A1AEE4A13F9"},
        {u"SHA256", "BA4F9B37402DF1E3AD948A794AB43A9ED887D63E3A389C208CA4314FDD5ADD58"},
        {u"SHA384", "5788166B105C8E7EDD8987734948288137B8166CB18EE69955AF3A51BD9DEBE7ED1DE650184F5DEC5A1C00DB30582127"},
        {u"SHA512", "9E32A576FFC27486D4CF5FA96B0F778127BCB38F91FCD3A6981306C2176F0B86"
                    "ACF30B0FDE8C8A1D97E58214F50702C66E4925C9F1DC55D025489DEFD45C2B2C"},
        {u"Tiger192", "BEAAFA56318D0844829073FFEB246DBF10D02AD76C79B81E"},
        {u"MD5", "D94C23717801D8E74AA41E12176CC48F"},
    };
    const int lengths[] = {8, 40, 64, 32, 32, 40, 64, 96, 128, 48, 32};
    const QStringList lines = bench.Lines(0);
    ASSERT_EQ(lines.size(), 11) << lines.join(u'\n').toStdString();
    const QRegularExpression hex(QStringLiteral("^[0-9A-F]+$"));
    for (int i = 0; i < 11; ++i) {
        const auto [name, value] = expected[i];
        const QString label = QString::fromUtf16(name) + kResultSeparator;
        ASSERT_TRUE(lines[i].startsWith(label)) << lines[i].toStdString();
        const QString digits = lines[i].mid(label.size());
        EXPECT_EQ(digits.size(), lengths[i]) << lines[i].toStdString();
        EXPECT_TRUE(hex.match(digits).hasMatch()) << lines[i].toStdString();
        if (value != nullptr) {
            EXPECT_EQ(digits, QLatin1String(value)) << "line " << i;
        }
    }
}

TEST(DigestJob, TigerLineIsLabelledTiger192)
{
    TempDir dir;
    Bench bench;
    bench.Select(false, {AlgorithmId::Tiger192});
    DropAndRun(bench, {dir.Write("abc", "abc")});
    // The published Tiger of "abc".
    EXPECT_EQ(bench.Lines(0), QStringList{u"Tiger192：2AAB1484E8C158F2BFB8C5FF41B57A525129131C957B5F93"_s});
}

TEST(DigestJob, EmptyFileHasACrcOfZeroAndTheMd5OfNothing)
{
    TempDir dir;
    Bench bench;
    bench.Select(true, {AlgorithmId::Md5});
    DropAndRun(bench, {dir.Write("empty", ""), dir.Write("check", "123456789")});
    EXPECT_EQ(bench.Lines(0), (QStringList{u"CRC32_FCS32：000000"_s, u"MD5：D41D8CD98F00B204E9800998ECF8427E"_s}));
    EXPECT_EQ(bench.Lines(1), (QStringList{u"CRC32_FCS32：CBF43926"_s, u"MD5：25F9E794323B453885F5181F1B624D0B"_s}));
}

// However many threads hash, every selection gives the same lines, the
// same error lines and the same marks, in list order: large files shared
// out over threads, files of a MiB, small ones ending on either side of a
// block's padding, empty ones, unreadable ones, vanished ones.
TEST(DigestJob, SameLinesOnOneThreadAndOnMany)
{
    TempDir dir;
    const std::string mib = Pattern(1048576);
    QStringList paths = {dir.Write("big", Pattern(10 * 1048576 + 17)),
                         dir.Write("mib", mib),
                         dir.Write("mib-again", mib),
                         dir.Write("empty", ""),
                         dir.Fifo("pipe"),
                         "/proc/self/mem",
                         dir.Path("gone")};
    for (const std::size_t size : {1, 55, 56, 63, 64, 65, 119, 120, 1048577})
        paths << dir.Write(QString::number(size), Pattern(size));
    using enum sumbrook::AlgorithmId;
    const std::vector<std::pair<bool, sumbrook::AlgorithmSet>> selections = {
        {true, {}}, {false, {Md5}}, {true, kAllDigests}, {false, {Sha1, Md5}}, {true, {Haval256, Ripemd160, Md4}}};
    for (const auto& [crc, digests] : selections) {
        std::vector<QStringList> seen;
        std::vector<std::vector<int>> marks;
        for (const unsigned threads : {1u, 2u, 5u}) {
            Bench bench;
            bench.run.SetThreads(threads);
            bench.Select(crc, digests);
            DropAndRun(bench, paths);
            QStringList all;
            for (int i = 0; i < bench.tree.TopCount(); ++i)
                all << bench.tree.TopText(i) + u'|' + bench.Lines(i).join(u'|');
            seen.push_back(all);
            marks.push_back(bench.Marks());
        }
        ASSERT_EQ(seen[0].size(), paths.size());
        EXPECT_EQ(seen[0][6], u"gone|"_s); // a node without lines
        EXPECT_EQ(seen[0][1].section(u'|', 1), seen[0][2].section(u'|', 1));
        EXPECT_TRUE(seen[0][4].endsWith(kDigestErrorLine) || seen[0][4].endsWith(kCrcErrorLine))
            << seen[0][4].toStdString();
        EXPECT_EQ(seen[1], seen[0]);
        EXPECT_EQ(seen[2], seen[0]);
        EXPECT_EQ(marks[1], marks[0]);
        EXPECT_EQ(marks[2], marks[0]);
    }
}

// Pipes and devices must neither block the window nor be read for ever; a
// hang ends the test program through the alarm.
TEST(DigestJob, SpecialFilesGiveErrorLinesAndNeverBlock)
{
    TempDir dir;
    Bench bench;
    bench.Select(true, {AlgorithmId::Sha1, AlgorithmId::Md5});
    ::alarm(60);
    DropAndRun(bench, {dir.Fifo("pipe"), "/dev/null", "/dev/zero"});
    ::alarm(0);
    const QStringList errorLines = {kCrcErrorLine, kDigestErrorLine};
    ASSERT_EQ(bench.tree.TopCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(bench.Lines(i), errorLines) << bench.tree.TopText(i).toStdString();
    EXPECT_TRUE(bench.window.errors.isEmpty());
}

// /proc/self/mem opens, but reading its first page fails: the digests of
// the bytes read so far must not be shown as the file's.
TEST(DigestJob, ReadFailingAfterOpenGivesOnlyErrorLines)
{
    Bench bench;
    bench.Select(true, kAllDigests);
    DropAndRun(bench, {"/proc/self/mem"});
    EXPECT_EQ(bench.Lines(0), (QStringList{kCrcErrorLine, kDigestErrorLine}));
    EXPECT_EQ(bench.files.Entry(0).Status, kChecked);
}

// A read that fails after whole blocks were hashed: every algorithm failed,
// no value.
TEST(DigestJob, ReadFailingPartWayGivesOnlyTheErrorLines)
{
    class FailsOnThirdRead : public sumbrook::TByteSource {
    public:
        std::ptrdiff_t Read(std::span<std::uint8_t> into) override
        {
            if (reads++ == 2) return -1;
            std::fill(into.begin(), into.end(), std::uint8_t{'a'});
            return static_cast<std::ptrdiff_t>(into.size());
        }
        int reads = 0;
    };
    for (const unsigned threads : {1u, 3u}) {
        FailsOnThirdRead source;
        const FileResult result = FileDigestJob("", sumbrook::AlgorithmSet::All(), threads).Run(source, 1u << 30);
        EXPECT_EQ(result.Values.size(), sumbrook::kAlgorithmCount);
        EXPECT_TRUE(std::ranges::all_of(result.Values, &AlgorithmResult::Failed));
        EXPECT_EQ(ResultLines(result), (QStringList{kCrcErrorLine, kDigestErrorLine}));
        EXPECT_EQ(source.reads, 3);
    }
}

TEST(DigestJob, VanishedFileKeepsANodeWithoutLines)
{
    TempDir dir;
    Bench bench;
    bench.Select(true, {AlgorithmId::Sha1, AlgorithmId::Md5});
    const QString early = dir.Write("early", "gone before the run");
    const QString late = dir.Write("late", "gone as the run starts");
    const QString kept = dir.Write("kept", "abc");
    bench.intake.Drop({early, late, kept});
    ::unlink(Native(early).c_str());
    bench.onStarted = [&] { ::unlink(Native(late).c_str()); };
    bench.Calculate();

    EXPECT_EQ(bench.TopTexts(), (QStringList{"early", "late", "kept"}));
    EXPECT_TRUE(bench.Lines(0).isEmpty());
    EXPECT_TRUE(bench.Lines(1).isEmpty());
    EXPECT_EQ(bench.Lines(2).size(), 3);
    EXPECT_EQ(bench.Column(&FileListEntry::Status), (QStringList{kChecked, kChecked, kChecked}));
}

// Beyond 4 GiB the length counters and the reading loop must not wrap. The
// file is sparse, so it costs no disk space.
TEST(LargeFile, SparseFileBeyondFourGibibytes)
{
    TempDir dir;
    const QString path = dir.Path("sparse.bin");
    const int fd = ::open(Native(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, (off_t{1} << 32) + 100), 0);
    ::close(fd);

    Bench bench;
    bench.Select(true, {AlgorithmId::Md4});
    DropAndRun(bench, {path});
    EXPECT_EQ(bench.files.Entry(0).SizeText, "4194304.1KB");
    // Values from rhash.
    EXPECT_EQ(bench.Lines(0), (QStringList{u"CRC32_FCS32：A92A4CE5"_s, u"MD4：8F1366BDEF03F801EEF254A579F617B6"_s}));
    ::unlink(Native(path).c_str());
}

} // namespace
