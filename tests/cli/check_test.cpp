// Round trips with the usual tools: what sha256sum, md5sum and rhash write,
// sumbrook-cli --check reads; what sumbrook-cli writes, they check. Then
// what --check says when files changed, vanished or the list is broken.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/ansi_codepage.h"
#include "workflow/result_entry.h"
#include "tests/cli/run_cli.h"

using namespace sumbrook::cli::testing;
using sumbrook::workflow::ResultEntryText;

namespace {

const std::string kCli = "'" SUMBROOK_CLI "'";

// Files with awkward names in a fresh folder; commands run inside it.
struct Files {
    TempDir dir;
    std::vector<std::string> names;
    // rhash takes a backslash for a folder separator and writes a line end as it is.
    explicit Files(bool oddNames = true)
    {
        names = {"plain", "a b", "-dash", "校验.txt", "empty"};
        if (oddNames) names.insert(names.end(), {"back\\slash", "new\nline"});
        for (const std::string& name : names) dir.Write(name, name == "empty" ? "" : "content of " + name);
    }
    std::string In() const { return "cd " + Quote(dir.Path()) + " && "; }
    std::string Args() const
    {
        std::string args = " --";
        for (const std::string& name : names) args += " '" + name + "'";
        return args;
    }
};

std::size_t Count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

struct Writer {
    std::string program;
    std::string command;  // run in the folder, the names after it
    std::string sumsFile; // its name tells the algorithm where the line does not
    bool oddNames;        // names with a backslash or a line end survive the format
    std::size_t linesPerFile;
};

TEST(CheckRoundTrip, WhatTheUsualToolsWriteIsChecked)
{
    const Writer writers[] = {
        {"sha256sum", "sha256sum", "SHA256SUMS", true, 1},
        {"md5sum", "md5sum -b", "files.md5", true, 1},
        {"sha1sum", "sha1sum", "x.sha1", true, 1},
        {"sha512sum", "sha512sum", "sums.txt", true, 1}, // 128 digits can only be SHA-512
        {"sha256sum", "sha256sum --tag", "tagged", true, 1},
        {"rhash", "rhash --bsd --md5 --sha1 --sha256 --sha384 --sha512 --md4 --tiger --ripemd160 --crc32", "bsd", false,
         9},
        {"rhash", "rhash --sfv", "list.sfv", false, 1},
    };
    for (const Writer& w : writers) {
        SCOPED_TRACE(w.command);
        if (!HaveProgram(w.program)) {
            ADD_FAILURE() << w.program << " missing: scripts/install-deps.sh test installs it";
            continue;
        }
        const Files files(w.oddNames);
        const Outcome written = RunShell(files.In() + w.command + files.Args() + " > " + w.sumsFile);
        ASSERT_EQ(written.status, 0) << written.err;

        const Outcome good = RunShell(files.In() + kCli + " --check " + w.sumsFile);
        EXPECT_EQ(good.status, 0) << good.out << good.err;
        EXPECT_EQ(good.err, "");
        EXPECT_EQ(Count(good.out, ": OK\n"), files.names.size() * w.linesPerFile) << good.out;
        EXPECT_NE(good.out.find("校验.txt: OK\n"), std::string::npos) << good.out;
        if (w.oddNames) {
            EXPECT_NE(good.out.find("\\new\\nline: OK\n"), std::string::npos) << good.out;
        }

        // One byte changed, one file gone: the rest still pass.
        files.dir.Write("a b", "Content of a b");
        ASSERT_EQ(::unlink(Native(files.dir.Path("plain")).c_str()), 0);
        const Outcome bad = RunShell(files.In() + kCli + " -c " + w.sumsFile);
        EXPECT_EQ(bad.status, 1);
        EXPECT_EQ(Count(bad.out, "a b: FAILED\n"), w.linesPerFile) << bad.out;
        EXPECT_EQ(Count(bad.out, "plain: FAILED open or read\n"), w.linesPerFile) << bad.out;
        EXPECT_EQ(Count(bad.out, ": OK\n"), (files.names.size() - 2) * w.linesPerFile);
        const std::string plural = w.linesPerFile == 1 ? "" : "s";
        EXPECT_NE(bad.err.find("sumbrook-cli: plain: No such file or directory\n"), std::string::npos) << bad.err;
        EXPECT_NE(bad.err.find("sumbrook-cli: WARNING: " + std::to_string(w.linesPerFile) + " computed checksum" +
                               plural + " did NOT match\n"),
                  std::string::npos)
            << bad.err;
        EXPECT_NE(bad.err.find("WARNING: " + std::to_string(w.linesPerFile) + " listed file" + plural +
                               " could not be read\n"),
                  std::string::npos)
            << bad.err;
    }
}

struct Reader {
    std::string program;
    std::string options;   // sumbrook-cli's
    std::string reference; // the tool writing the same, to compare byte for byte; empty: none
    std::string checker;
    std::string sumsFile; // its name tells the algorithm on the way back
};

TEST(CheckRoundTrip, WhatSumbrookWritesTheUsualToolsCheck)
{
    const Reader readers[] = {
        {"sha256sum", "--format=gnu --sha256", "sha256sum", "sha256sum -c", "SHA256SUMS"},
        {"md5sum", "--format=gnu --md5", "md5sum", "md5sum -c", "sums.md5"},
        {"sha1sum", "--format gnu --sha1", "sha1sum", "sha1sum -c", "sums.sha1"},
        {"sha512sum", "--format=gnu --sha512", "sha512sum", "sha512sum -c", "sums"},
        {"sha384sum", "--format=gnu --sha384", "sha384sum", "sha384sum -c", "sums"},
        {"sha256sum", "--format=bsd --sha256", "sha256sum --tag", "sha256sum -c", "sums"},
        {"md5sum", "--format=bsd --md5", "md5sum --tag", "md5sum -c", "sums"},
        {"rhash", "--format=bsd --md5 --sha1 --sha256 --sha512 --crc32 --tiger192 --ripemd160 --md4", "", "rhash -c",
         "sums"},
        {"rhash", "--format=sfv --crc32", "", "rhash -c", "sums.sfv"},
    };
    for (const Reader& r : readers) {
        SCOPED_TRACE(r.options);
        if (!HaveProgram(r.program)) {
            ADD_FAILURE() << r.program << " missing: scripts/install-deps.sh test installs it";
            continue;
        }
        const Files files(r.program != "rhash");
        const std::string sums = ' ' + r.sumsFile;
        const Outcome written = RunShell(files.In() + kCli + ' ' + r.options + files.Args() + " >" + sums);
        ASSERT_EQ(written.status, 0) << written.err;
        if (!r.reference.empty()) {
            const Outcome reference = RunShell(files.In() + r.reference + files.Args());
            EXPECT_EQ(ReadBytes(files.dir.Path(r.sumsFile)), reference.out);
        }
        const Outcome checked = RunShell(files.In() + r.checker + sums);
        EXPECT_EQ(checked.status, 0) << checked.out << checked.err;
        // And back again.
        const Outcome back = RunShell(files.In() + kCli + " -c" + sums);
        EXPECT_EQ(back.status, 0) << back.err;
    }
}

// What a user runs today and next week.
TEST(CheckRoundTrip, RecursiveBsdOfEverythingFindsTheChangedFiles)
{
    TempDir dir;
    dir.Folder("tree/sub/deeper");
    dir.Write("tree/one", "1");
    dir.Write("tree/sub/two", "2");
    dir.Write("tree/sub/deeper/three", "3");
    const std::string in = "cd " + Quote(dir.Path()) + " && ";
    ASSERT_EQ(RunShell(in + kCli + " -r --format=bsd --all tree > sums.txt").status, 0);
    EXPECT_EQ(Count(ReadBytes(dir.Path("sums.txt")), "\n"), 3u * 11u);
    EXPECT_EQ(RunShell(in + kCli + " --check --quiet sums.txt").out, "");
    dir.Write("tree/sub/deeper/three", "x");
    const Outcome later = RunShell(in + kCli + " --check --quiet sums.txt");
    EXPECT_EQ(later.status, 1);
    std::string failed;
    for (int i = 0; i < 11; ++i) failed += "tree/sub/deeper/three: FAILED\n";
    EXPECT_EQ(later.out, failed);
    EXPECT_EQ(later.err, "sumbrook-cli: WARNING: 11 computed checksums did NOT match\n");
}

struct ResultFileCase {
    const char* locale;
    std::string prefix; // bytes before the text
};

// The window's saved file, made by the entry code the window's export uses.
TEST(CheckResultFile, TheWindowsSavedFileIsChecked)
{
    const ResultFileCase cases[] = {
        {"zh_CN.UTF-8", ""},         // GBK
        {"C.UTF-8", ""},             // UTF-8
        {"C.UTF-8", "\xEF\xBB\xBF"}, // UTF-8 with a byte-order mark
    };
    for (const ResultFileCase& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + (c.prefix.empty() ? "" : " BOM"));
        TempDir dir;
        dir.Folder("saved");
        dir.Write("校验 文件.txt", "abc");
        dir.Write("empty", "");
        const std::u16string first[] = {u"CRC32_FCS32：352441C2", u"SHA1：A9993E364706816ABA3E25717850C26C9CD0D89D",
                                        u"MD5：900150983CD24FB0D6963F7D28E17F72"};
        const std::u16string second[] = {u"CRC32_FCS32：000000", u"MD5：D41D8CD98F00B204E9800998ECF8427E"};
        const std::u16string text = ResultEntryText(u"校验 文件.txt", first) + ResultEntryText(u"empty", second);
        const std::string previous = std::getenv("LC_ALL") ? std::getenv("LC_ALL") : "";
        ::setenv("LC_ALL", c.locale, 1);
        const std::string bytes = c.prefix + sumbrook::platform::ToAnsiCodePage(text);
        ::setenv("LC_ALL", previous.c_str(), 1);
        if (std::string(c.locale).starts_with("zh")) {
            ASSERT_NE(bytes.find("\xD0\xA3\xD1\xE9"), std::string::npos) << "the name in GBK";
        }
        const std::string result = dir.Write("result.txt", bytes);

        // Names are looked up beside the result file, wherever the tool runs.
        const std::string run = "cd / && LC_ALL=" + std::string(c.locale) + ' ' + kCli + " --check " + Quote(result);
        const Outcome good = RunShell(run);
        EXPECT_EQ(good.status, 0) << good.err;
        EXPECT_EQ(good.out, "校验 文件.txt: OK\nempty: OK\n");

        // A changed file fails on any of its lines.
        dir.Write("empty", "now full");
        const Outcome bad = RunShell(run);
        EXPECT_EQ(bad.status, 1);
        EXPECT_EQ(bad.out, "校验 文件.txt: OK\nempty: FAILED\n");
        EXPECT_EQ(bad.err, "sumbrook-cli: WARNING: 1 computed checksum did NOT match\n");
    }
}

struct FailureCase {
    std::string name;
    std::string sums; // the checksum file
    std::string options;
    int status;
    std::string out;
    std::string err; // a part of standard error; empty: nothing at all
};

TEST(CheckFailures, EachSaysWhatWentWrong)
{
    const std::string md5 = "900150983cd24fb0d6963f7d28e17f72"; // "abc"
    const std::string sha1 = "a9993e364706816aba3e25717850c26c9cd0d89d";
    const std::string sha256 = "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad";
    const std::string havalPublished = "be417bb4dd5cfb76c7126f4f8eeb1553a449039307b1a3cd451dbfdc0fbbe330"; // ""
    const std::string haval = "5981d3f8cce7f5674752595f4ad24c184ba1c738c986d4d2eddf2bd86c3f8679";
    const FailureCase cases[] = {
        {"ok", md5 + "  abc\n", "", 0, "abc: OK\n", ""},
        {"upper case and CR LF", "900150983CD24FB0D6963F7D28E17F72  abc\r\n", "", 0, "abc: OK\n", ""},
        {"malformed line, counted", md5 + "  abc\nnonsense\n", "", 0, "abc: OK\n",
         "sumbrook-cli: sums.md5: 2: improperly formatted checksum line\n"
         "sumbrook-cli: WARNING: 1 line is improperly formatted\n"},
        {"malformed line, strict", md5 + "  abc\nnonsense\n", "--strict", 1, "abc: OK\n", "sums.md5: 2: improperly"},
        {"nothing to check", "nonsense\n", "", 1, "", "sums.md5: no properly formatted checksum lines found"},
        {"quiet", md5 + "  abc\n" + md5 + "  empty\n", "--quiet", 1, "empty: FAILED\n", "1 computed checksum did"},
        {"status", md5 + "  abc\n" + md5 + "  empty\nbad\n" + md5 + "  gone\n", "--status", 1, "", ""},
        {"missing ignored", md5 + "  abc\n" + md5 + "  gone\n", "--ignore-missing", 0, "abc: OK\n", ""},
        {"a folder listed", md5 + "  folder\n", "", 1, "folder: FAILED open or read\n", "1 listed file could not"},
        {"a pipe listed", md5 + "  pipe\n", "", 1, "pipe: FAILED open or read\n", "pipe: Not a regular file"},
        {"option picks of three", md5 + "  abc\n", "--md5", 0, "abc: OK\n", ""},
        {"option against the name", "a448017aaf21d8525fc10ae87aa6729d  abc\n", "--md4", 0, "abc: OK\n", ""},
        {"SHA-1 beside SHA-1 by length", sha1 + "  abc\n", "--sha1", 0, "abc: OK\n", ""},
        // Checksum files in the wild.
        {"comment, one space, a TAB", "# made by hand\n" + md5 + " abc\n" + md5 + "\tabc\n", "--strict", 0,
         "abc: OK\nabc: OK\n", ""},
        {"BOM before a BSD line", "\xEF\xBB\xBFMD5 (abc) = " + md5 + "\n", "", 0, "abc: OK\n", ""},
        {"a name written on Windows", md5 + "  folder\\abc\r\n", "", 0, "folder\\abc: OK\n", ""},
        {"clearsigned",
         "-----BEGIN PGP SIGNED MESSAGE-----\nHash: SHA256\n\n" + md5 +
             "  abc\n-----BEGIN PGP SIGNATURE-----\n\niQEz\n-----END PGP SIGNATURE-----\n",
         "--strict", 0, "abc: OK\n", "sums.md5: the OpenPGP armour around the lines was skipped"},
        {"64 digits as sha256sum writes them", sha256 + "  abc\n", "", 0, "abc: OK\n", ""},
        {"two options of one length, --status", md5 + "  abc\n", "--status --md4 --md5", 2, "", ""},
        {"nothing verified", md5 + "  gone\n", "--ignore-missing", 1, "",
         "sumbrook-cli: sums.md5: no file was verified\n"},
        {"unknown algorithm", "SHA3-256 (abc) = " + sha256 + "\n", "", 1, "", "1: unknown algorithm 'SHA3-256'"},
        {"a name up to its NUL", md5 + "  abc" + std::string(1, '\0') + "junk\n", "", 0, "abc: OK\n", ""},
        {"a line longer than any checksum line", std::string(1 << 20, 'a'), "", 1, "", "1: line too long"},
        {"both HAVALs by their tags",
         "HAVAL256 (empty) = " + havalPublished + "\nHAVAL256-0x80 (empty) = " + haval + "\n", "", 0,
         "empty: OK\nempty: OK\n", ""},
        {"a name quoted as coreutils does", "\\" + md5 + "  no\\nsuch\n", "", 1, "\\no\\nsuch: FAILED open or read\n",
         "sumbrook-cli: 'no'$'\\n''such': No such file or directory\n"},
        {"standard input listed, a file", md5 + "  -\n", "<abc", 0, "-: OK\n", ""},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.Write("abc", "abc");
        dir.Write("empty", "");
        dir.Folder("folder");
        dir.Write("folder/abc", "abc");
        dir.Fifo("pipe");
        dir.Write("sums.md5", c.sums);
        const Outcome run =
            RunShell("cd " + Quote(dir.Path()) + " && timeout 60 " + kCli + " -c " + c.options + " sums.md5");
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.out, c.out);
        if (c.err.empty()) {
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
        }
    }
}

TEST(CheckFailures, AmbiguousLengthsNameTheOptionToAdd)
{
    TempDir dir;
    dir.Write("abc", "abc");
    dir.Write("list", "900150983cd24fb0d6963f7d28e17f72  abc\n"
                      "a9993e364706816aba3e25717850c26c9cd0d89d  abc\n"
                      "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad  abc\n");
    const std::string in = "cd " + Quote(dir.Path()) + " && ";
    // Without an option: what md5sum, sha1sum and sha256sum write at that length.
    const Outcome usual = RunShell(in + kCli + " -c list");
    EXPECT_EQ(usual.status, 0) << usual.err;
    EXPECT_EQ(usual.out, "abc: OK\nabc: OK\nabc: OK\n");
    // Options naming several of a length leave it undecided: a usage error, under --status too.
    const Outcome run = RunShell(in + kCli + " -c --md4 --md5 --haval256 --sha256 list");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "abc: OK\n");
    EXPECT_EQ(run.err, "sumbrook-cli: list: 1 line has 32 hex digits, which may be MD4, RipeMD-128 or MD5; "
                       "add --md4, --ripemd128 or --md5 to say which\n"
                       "sumbrook-cli: list: 1 line has 64 hex digits, which may be Haval256, SHA256 or HAVAL-256/5; "
                       "add --haval256, --sha256 or --haval256-published to say which\n");
    EXPECT_EQ(RunShell(in + kCli + " -c --status --md4 --md5 list").status, 2);
    const Outcome told = RunShell(in + kCli + " -c --md5 --sha1 --sha256 list");
    EXPECT_EQ(told.status, 0) << told.err;
    EXPECT_EQ(told.out, "abc: OK\nabc: OK\nabc: OK\n");
    // From standard input, several threads, several checksum files.
    EXPECT_EQ(RunShell(in + "cat list | " + kCli + " -j4 -c --md5 --sha1 --sha256 - list").out,
              "abc: OK\nabc: OK\nabc: OK\nabc: OK\nabc: OK\nabc: OK\n");
    EXPECT_EQ(RunShell(in + "echo nonsense | " + kCli + " -c").err,
              "sumbrook-cli: 'standard input': 1: improperly formatted checksum line\n"
              "sumbrook-cli: 'standard input': no properly formatted checksum lines found\n");
    const Outcome unreadable = RunShell(in + kCli + " -c nowhere.md5");
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_EQ(unreadable.err, "sumbrook-cli: nowhere.md5: No such file or directory\n");
}

TEST(Recursive, EveryFileBelowDepthFirstWithoutFollowingLinks)
{
    TempDir dir;
    dir.Write("b", "b");
    dir.Folder("a/inner");
    dir.Write("a/z", "z");
    dir.Write("a/inner/y", "y");
    dir.Write("c", "c");
    dir.Fifo("a/pipe");
    ASSERT_EQ(::symlink("..", Native(dir.Path("a/loop")).c_str()), 0);
    ASSERT_EQ(::symlink("../c", Native(dir.Path("a/link-to-file")).c_str()), 0);
    const std::string in = "cd " + Quote(dir.Path()) + " && timeout 60 ";
    const Outcome run = RunShell(in + kCli + " -r --format=sfv --crc32 .");
    EXPECT_EQ(run.status, 0) << run.err;
    std::string names;
    for (std::size_t at = 0; at < run.out.size(); at = run.out.find('\n', at) + 1)
        names += run.out.substr(at, run.out.find(' ', at) - at) + ',';
    EXPECT_EQ(names, "./a/inner/y,./a/link-to-file,./a/z,./b,./c,");
    // Without -r only what is directly inside; with -j the same order.
    EXPECT_EQ(Count(RunShell(in + kCli + " --crc32 --format=sfv .").out, "\n"), 2u);
    EXPECT_EQ(RunShell(in + kCli + " -j3 -r --format=sfv --crc32 .").out, run.out);
}

TEST(UsageErrors, OneLineNamingTheOption)
{
    const std::pair<std::string, std::string> cases[] = {
        {"--format=gnu f", "--format=gnu writes exactly one algorithm, 2 are selected"},
        {"--format=gnu --md5 --sha1 f", "--format=gnu writes exactly one algorithm"},
        {"--format=gnu --crc32 f", "--format=gnu has no CRC-32 form"},
        {"--format=sfv f", "--format=sfv needs --crc32"},
        {"--format=sfv --crc32 --md5 f", "--format=sfv writes CRC-32 only"},
        {"--format=xml f", "--format needs sumbrook, gnu, bsd or sfv, not 'xml'"},
        {"--format", "option '--format' requires an argument"},
        {"-j", "option '-j' requires an argument"},
        {"--quiet f", "--quiet is only for --check"},
        {"--strict f", "--strict is only for --check"},
        {"-c --format=gnu --md5 f", "--format is for writing checksums, not for --check"},
        {"-c -r f", "-r lists folders to hash"},
        {"--bogus f", "unrecognized option '--bogus'"},
        {"--st f", "option '--st' is ambiguous; possibilities: '--status' '--strict'\n"
                   "Try 'sumbrook-cli --help' for more information.\n"},
        {"-x f", "invalid option -- 'x'"},
        {"--all=1 f", "option '--all' doesn't allow an argument"},
        {"-j 0 f", "-j needs a number of threads from 1 to 1024, not '0'"},
    };
    for (const auto& [args, message] : cases) {
        SCOPED_TRACE(args);
        const Outcome run = RunCli(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("sumbrook-cli: " + message, 0), 0u) << run.err;
        EXPECT_EQ(Count(run.err, "\n"), 2u) << "the problem and where to look";
    }
    // After "--" a name may start with "-".
    TempDir dir;
    dir.Write("-x", "abc");
    const Outcome dashed = RunShell("cd " + Quote(dir.Path()) + " && " + kCli + " --format=gnu --md5 -- -x");
    EXPECT_EQ(dashed.out, "900150983cd24fb0d6963f7d28e17f72  -x\n");
}

// The progress line is for people at a terminal, never for files or pipes.
TEST(Progress, NeverWhenStandardErrorIsNoTerminal)
{
    TempDir dir;
    // Long enough with every algorithm on one thread to be shown; sparse, so quick to make.
    const std::string big = dir.Write("big", "");
    std::filesystem::resize_file(Native(big), 128u << 20);
    const Outcome run = RunCli("-j1 --all " + Quote(big));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    if (!HaveProgram("script")) GTEST_SKIP() << "needs script(1) for a terminal";
    // On a terminal: drawn on standard error, cleared before the result goes out.
    const Outcome tty = RunShell("script -qec \"" + kCli + " -j1 --all " + Quote(big) + " >/dev/null\" /dev/null");
    EXPECT_EQ(tty.status, 0);
    EXPECT_NE(tty.out.find(" MB/s"), std::string::npos) << "too fast to show on this machine?";
}

} // namespace
