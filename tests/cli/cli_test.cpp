// sumbrook-cli run as a separate program: its output, its exit status and
// the result file it saves.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "tests/cli/run_cli.h"

using namespace sumbrook::cli::testing;

namespace {

TEST(Cli, DefaultsToSha1AndMd5)
{
    TempDir dir;
    const std::string file = dir.Write("abc.txt", "abc");
    const Outcome run = RunCli(Quote(file));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Native(file) + "\n"
                                      "\tSHA1：A9993E364706816ABA3E25717850C26C9CD0D89D\n"
                                      "\tMD5：900150983CD24FB0D6963F7D28E17F72\n");
    EXPECT_EQ(run.err, "");
}

TEST(Cli, LinesFollowTheCatalogueWhateverTheOptionOrder)
{
    TempDir dir;
    const std::string file = dir.Write("abc", "abc");
    EXPECT_EQ(RunCli("--md5 --crc32 " + Quote(file)).out, Native(file) + "\n"
                                                                         "\tCRC32_FCS32：352441C2\n"
                                                                         "\tMD5：900150983CD24FB0D6963F7D28E17F72\n");

    const Outcome all = RunCli("--all " + Quote(file));
    EXPECT_EQ(all.status, 0);
    std::string labels;
    for (std::size_t at = all.out.find('\t'); at != std::string::npos; at = all.out.find('\t', at + 1))
        labels += all.out.substr(at + 1, all.out.find("：", at) - at - 1) + ' ';
    EXPECT_EQ(labels, "CRC32_FCS32 SHA1 Haval256 MD4 RipeMD-128 RipeMD-160 SHA256 SHA384 SHA512 Tiger192 MD5 ");
}

TEST(Cli, FolderStandsForItsFilesInNameOrder)
{
    TempDir dir;
    dir.Write("b", "abc");
    dir.Write("a", "abc");
    dir.Folder("sub");
    dir.Write("sub/c", "abc");
    dir.Fifo("pipe");
    const Outcome run = RunCli("--crc32 " + Quote(dir.Path() + '/'));
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, Native(dir.Path("a")) + "\n\tCRC32_FCS32：352441C2\n" + Native(dir.Path("b")) +
                           "\n\tCRC32_FCS32：352441C2\n");
}

TEST(Cli, MissingPathIsReportedAndTheRestStillDone)
{
    TempDir dir;
    const std::string file = dir.Write("abc", "abc");
    const std::string missing = dir.Path("missing");
    const Outcome run = RunCli("--md5 " + Quote(missing) + ' ' + Quote(file));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "sumbrook-cli: " + Native(missing) + ": No such file or directory\n");
    EXPECT_EQ(run.out, Native(file) + "\n\tMD5：900150983CD24FB0D6963F7D28E17F72\n");
}

TEST(Cli, UnreadablePathsGiveErrorLinesAndStatusOne)
{
    TempDir dir;
    const std::string pipe = dir.Fifo("pipe");
    const Outcome run = RunCli("--crc32 --md5 " + Quote(pipe), "timeout 60");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, Native(pipe) + "\n\tCRC32_FCS32：读取文件错误\n\t：读取文件错误\n");
}

// A folder that cannot be listed must not pass for an empty one. Root reads
// any folder, so root runs the tool as nobody.
TEST(Cli, UnlistableFolderIsReported)
{
    TempDir dir;
    ::chmod(Native(dir.Path()).c_str(), 0755);
    const std::string locked = dir.Folder("locked");
    dir.Write("locked/f", "abc");
    ::chmod(Native(locked).c_str(), 0);
    std::string prefix;
    if (::geteuid() == 0) {
        if (std::system("command -v setpriv >/dev/null") != 0) GTEST_SKIP() << "needs setpriv when run as root";
        prefix = "setpriv --reuid=65534 --regid=65534 --clear-groups";
        if (std::system((prefix + " test -x '" SUMBROOK_CLI "'").c_str()) != 0)
            GTEST_SKIP() << "nobody cannot run the tool where it was built";
    }
    const Outcome run = RunCli(Quote(locked), prefix);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "sumbrook-cli: " + Native(locked) + ": Permission denied\n");
    EXPECT_EQ(run.out, "");

    // Readable but not searchable: the names are there, the files are not
    // reachable, and each says so.
    ::chmod(Native(locked).c_str(), 0744);
    const Outcome names = RunCli(Quote(locked), prefix);
    ::chmod(Native(locked).c_str(), 0700);
    EXPECT_EQ(names.status, 1);
    EXPECT_EQ(names.err, "sumbrook-cli: " + Native(locked) + "/f: Permission denied\n");
}

// Whatever goes wrong is said, with the system's reason and exit status 1:
// nothing is dropped silently and no result file is touched for nothing.
TEST(Cli, NothingLostNothingSilent)
{
    TempDir dir;
    // A path past PATH_MAX is read like any other.
    std::string deep = Native(dir.Path());
    int folder = ::open(deep.c_str(), O_RDONLY | O_DIRECTORY);
    for (char level = 'a'; deep.size() < 4200; ++level) {
        const std::string name(250, level);
        deep += '/' + name;
        ASSERT_EQ(::mkdirat(folder, name.c_str(), 0700), 0);
        const int inner = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(std::exchange(folder, inner));
    }
    const int leaf = ::openat(folder, "f", O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::write(leaf, "abc", 3), 3);
    ::close(leaf);
    ::close(folder);
    const std::string md5 = "\tMD5：900150983CD24FB0D6963F7D28E17F72\n";
    const Outcome longPaths = RunCli("--md5 '" + deep + "' '" + deep + "/f'");
    EXPECT_EQ(longPaths.status, 0) << longPaths.err;
    EXPECT_EQ(longPaths.out, deep + "/f\n" + md5 + deep + "/f\n" + md5);
    // Beyond what the folder's own removal reaches.
    EXPECT_EQ(std::system(("rm -rf '" + Native(dir.Path()) + "/aaaa'*").c_str()), 0);

    // A name with a line feed cannot forge an entry.
    const std::string odd = dir.Write("a\nb\\c", "abc");
    EXPECT_EQ(RunCli("--md5 " + Quote(odd)).out, "\\" + Native(dir.Path()) + "/a\\nb\\\\c\n" + md5);

    // Nor can it reach standard error as a line end or a terminal's escape:
    // quoted as coreutils quotes it, so that it can be pasted into a shell.
    const Outcome oddMissing = RunCli("--md5 " + Quote(dir.Path("gone\nx\x1B[2J")) + " " + Quote(dir.Path("my file")));
    EXPECT_EQ(oddMissing.err, "sumbrook-cli: '" + dir.Path("gone") +
                                  "'$'\\n''x'$'\\033''[2J': No such file or directory\n"
                                  "sumbrook-cli: '" +
                                  dir.Path("my file") + "': No such file or directory\n");

    // Standard output full or closed.
    const std::string file = dir.Write("abc", "abc");
    const Outcome full = RunCli(Quote(file), "", ">/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "sumbrook-cli: write error: No space left on device\n");
    const Outcome closed = RunCli(Quote(file), "", ">&-");
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.err, "sumbrook-cli: write error: Bad file descriptor\n");

    // A closed pipe does not keep the result file from being completed.
    const std::string piped = dir.Path("piped.txt"), whole = dir.Path("whole.txt");
    const std::string twice = Quote(file) + ' ' + Quote(file);
    EXPECT_EQ(RunCli("--all --output " + Quote(whole) + ' ' + twice).status, 0);
    EXPECT_EQ(RunCli("--all --output " + Quote(piped) + ' ' + twice, "", "| head -c1 >/dev/null").status, 0);
    EXPECT_EQ(ReadBytes(piped), ReadBytes(whole));

    // No input found: the result file named is left alone.
    const std::string keep = dir.Write("keep.txt", "kept");
    const Outcome none = RunCli("--output " + Quote(keep) + ' ' + Quote(dir.Path("typo.txt")));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(ReadBytes(keep), "kept");
    EXPECT_EQ(RunCli("--output '' " + Quote(file)).status, 2);

    // An input named as the output, by its name or through a link: refused
    // before anything is read or replaced.
    const std::string in1 = dir.Write("in1.txt", "one"), in2 = dir.Write("in2.txt", "two");
    ASSERT_EQ(::symlink("in1.txt", dir.Path("to-in1").c_str()), 0);
    for (const std::string& output : {in1, dir.Path("to-in1")}) {
        const Outcome clash = RunCli("--md5 " + Quote(in1) + ' ' + Quote(in2) + " --output " + Quote(output));
        EXPECT_EQ(clash.status, 2) << output;
        EXPECT_EQ(clash.err, "sumbrook-cli: " + in1 + ": the --output file is also an input; it is not replaced\n");
        EXPECT_EQ(clash.out, "");
        EXPECT_EQ(ReadBytes(in1), "one");
    }

    // Names SFV cannot carry (it has no escapes) are refused, not written
    // so that they read back as a comment or as another name.
    const std::string sfv = dir.Folder("sfv");
    std::string names;
    for (const char* name :
         {";only.txt", "trail.txt ", "\\back", "d41d8cd98f00b204e9800998ecf8427e  x", "a\nb", "fine name"})
        names += ' ' + Quote(name), dir.Write(std::string("sfv/") + name, "abc");
    const Outcome sfvRun = RunCli("--crc32 --format=sfv" + names, "cd " + Quote(sfv) + " &&");
    EXPECT_EQ(sfvRun.status, 1);
    EXPECT_EQ(sfvRun.out, "fine name 352441C2\n");
    std::size_t refused = 0;
    for (std::size_t at = 0; (at = sfvRun.err.find("an SFV file cannot hold this name\n", at)) != std::string::npos;
         ++at)
        ++refused;
    EXPECT_EQ(refused, 5u) << sfvRun.err;

    // No thread to be had beyond the first (a process limit): the run goes
    // on with fewer, whatever -j asks for. Root has no such limit, so the
    // run is made as nobody. A sanitized build's leak check needs a thread
    // of its own at exit, which the limit refuses, so it is off here.
    if (::getuid() == 0 && HaveProgram("setpriv") && HaveProgram("prlimit")) {
        ::chmod(dir.Path().c_str(), 0755);
        for (const char* threads : {"-j 8", ""}) {
            const Outcome limited = RunCli(std::string(threads) + " --md5 " + twice,
                                           "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 setpriv --reuid=65534 "
                                           "--regid=65534 --clear-groups prlimit --nproc=1");
            EXPECT_EQ(limited.status, 0) << threads << limited.err;
            EXPECT_EQ(limited.out, file + '\n' + md5 + file + '\n' + md5);
        }
    }

    // The run's own result file, old and new, is not among the files found,
    // on the first run and on the next.
    const std::string own = dir.Folder("own");
    dir.Write("own/a.txt", "abc");
    dir.Folder("own/z");
    for (int run = 0; run < 2; ++run) {
        const Outcome walked = RunCli("-r --md5 " + Quote(own) + " --output " + Quote(own + "/z/sums.txt"));
        EXPECT_EQ(walked.status, 0) << walked.err;
        EXPECT_EQ(walked.out, own + "/a.txt\n" + md5) << run;
    }
}

// Trees that loop or go deeper than any stack: every file once, one
// message for a loop.
TEST(Cli, HostileTrees)
{
    TempDir dir;
    const std::string md5 = "\tMD5：900150983CD24FB0D6963F7D28E17F72\n";

    // A tree deeper than a call stack would go: one file at the bottom. On a
    // memory file system where one can be mounted (it goes at once with its
    // unmounting); shallower on disk, where deep folders are slow to remove.
    std::string deep = dir.Folder("deep");
    const bool inMemory = ::mount("tmpfs", deep.c_str(), "tmpfs", 0, "size=64m") == 0;
    const int depth = inMemory ? 30000 : 2000;
    int folder = ::open(deep.c_str(), O_RDONLY | O_DIRECTORY);
    for (int level = 0; level < depth; ++level) {
        ASSERT_EQ(::mkdirat(folder, "d", 0700), 0);
        ::close(std::exchange(folder, ::openat(folder, "d", O_RDONLY | O_DIRECTORY)));
        deep += "/d";
    }
    const int leaf = ::openat(folder, "f", O_WRONLY | O_CREAT, 0600);
    ASSERT_EQ(::write(leaf, "abc", 3), 3);
    ::close(leaf);
    ::close(folder);
    const Outcome bottom = RunCli("-r --md5 " + Quote(dir.Path("deep")), "ulimit -s 1024;");
    EXPECT_EQ(bottom.status, 0) << bottom.err.substr(0, 200);
    EXPECT_EQ(bottom.out, deep + "/f\n" + md5);
    if (inMemory)
        ::umount2(dir.Path("deep").c_str(), MNT_DETACH);
    else
        EXPECT_EQ(std::system(("rm -rf " + Quote(dir.Path("deep"))).c_str()), 0);

    // A folder mounted inside itself, where a mount can be made.
    const std::string loop = dir.Folder("loop");
    dir.Write("loop/f", "abc");
    dir.Folder("loop/x");
    if (::mount(loop.c_str(), (loop + "/x").c_str(), nullptr, MS_BIND, nullptr) == 0) {
        const Outcome looped = RunCli("-r --md5 " + Quote(loop));
        ::umount((loop + "/x").c_str());
        EXPECT_EQ(looped.status, 1);
        EXPECT_EQ(looped.out, loop + "/f\n" + md5);
        EXPECT_EQ(looped.err,
                  "sumbrook-cli: " + loop + "/x: a folder loop: the same folder as " + loop + "; not entered again\n");
    }
}

TEST(Cli, OutputFileIsTheWindowsResultFile)
{
    TempDir dir;
    const std::string first = dir.Write("校验.txt", "abc");
    const std::string second = dir.Write("empty", "");
    const std::string output = dir.Path("result.txt");
    const Outcome run = RunCli("--crc32 --md5 --output " + Quote(output) + ' ' + Quote(first) + ' ' + Quote(second),
                               "LC_ALL=zh_CN.UTF-8");
    EXPECT_EQ(run.status, 0) << run.err;
    // File names, not paths; GBK bytes; TABs and CR LF.
    const std::string expected = "\xD0\xA3\xD1\xE9.txt\r\n"
                                 "\tCRC32_FCS32\xA3\xBA"
                                 "352441C2\r\n"
                                 "\tMD5\xA3\xBA"
                                 "900150983CD24FB0D6963F7D28E17F72\r\n"
                                 "empty\r\n"
                                 "\tCRC32_FCS32\xA3\xBA"
                                 "000000\r\n"
                                 "\tMD5\xA3\xBA"
                                 "D41D8CD98F00B204E9800998ECF8427E\r\n";
    EXPECT_EQ(ReadBytes(output), expected);

    // A name in GBK bytes under a GBK locale: the same bytes in the file
    // ("中文.txt"); the locale need not be installed, zh_CN means GBK.
    const std::string gbk = dir.Write("\xD6\xD0\xCE\xC4.txt", "abc");
    const Outcome gbkRun = RunCli("--md5 --output " + Quote(output) + ' ' + Quote(gbk), "LC_ALL=zh_CN.GBK");
    EXPECT_EQ(gbkRun.status, 0) << gbkRun.err;
    EXPECT_EQ(ReadBytes(output), "\xD6\xD0\xCE\xC4.txt\r\n\tMD5\xA3\xBA"
                                 "900150983CD24FB0D6963F7D28E17F72\r\n");
    // And checked back, under that locale and under a UTF-8 one.
    for (const char* locale : {"LC_ALL=zh_CN.GBK", "LC_ALL=C.UTF-8"})
        EXPECT_EQ(RunCli("--check " + Quote(output), locale).status, 0) << locale;

    const std::string nowhere = dir.Path("missing/result.txt");
    const Outcome failed = RunCli("--output " + Quote(nowhere) + ' ' + Quote(second));
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "sumbrook-cli: Cannot create file \"" + Native(nowhere) + "\". No such file or directory.\n");
}

TEST(Cli, HelpAndUsageErrors)
{
    const Outcome help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: sumbrook-cli", 0), 0u);
    EXPECT_EQ(RunShell("script -qec \"'" SUMBROOK_CLI "'\" /dev/null").status, 2) << "a terminal is not read";
    EXPECT_EQ(RunCli("--sha3-256 file").status, 2);
    EXPECT_EQ(RunCli("--output").status, 2);
    // getopt's forms: combined, abbreviated, --jobs=, --tag, -z; standard input for "-".
    EXPECT_EQ(RunShell("printf abc | '" SUMBROOK_CLI "' -j1 --md5 --ta -").out,
              "MD5 (-) = 900150983cd24fb0d6963f7d28e17f72\n");
    EXPECT_EQ(RunShell("printf abc | '" SUMBROOK_CLI "' --jobs=2 --md5 --format=gnu -z").out,
              std::string("900150983cd24fb0d6963f7d28e17f72  -\0", 36));
    EXPECT_EQ(RunShell("printf abc | '" SUMBROOK_CLI "' --md5 -z").out,
              std::string("-\0\tMD5\xEF\xBC\x9A"
                          "900150983CD24FB0D6963F7D28E17F72\0",
                          42));
    EXPECT_EQ(RunShell("printf '' | '" SUMBROOK_CLI "' --haval256-published --haval256 --tag -bt").out,
              "HAVAL256-0x80 (-) = 5981d3f8cce7f5674752595f4ad24c184ba1c738c986d4d2eddf2bd86c3f8679\n"
              "HAVAL256 (-) = be417bb4dd5cfb76c7126f4f8eeb1553a449039307b1a3cd451dbfdc0fbbe330\n");
    EXPECT_EQ(RunShell("'" SUMBROOK_CLI "' --help >/dev/full").status, 1);
}

} // namespace
