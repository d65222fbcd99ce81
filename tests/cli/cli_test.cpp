// sumbrook-cli run as a separate program: its output, its exit status and
// the result file it saves.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "../workflow/fakes.h"

using namespace sumbrook::workflow::testing;

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

std::string Quote(const QString& path)
{
    return '\'' + Native(path) + '\'';
}

// Runs the tool through the shell; Prefix goes before it (variables, a wrapper).
Outcome RunCli(const std::string& args, const std::string& prefix = "")
{
    const TempDir io;
    const std::string out = Native(io.Path("out")), err = Native(io.Path("err"));
    const std::string command =
        prefix + " '" SUMBROOK_CLI "' " + args + " >'" + out + "' 2>'" + err + "' </dev/null";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw)) << command;
    return {WEXITSTATUS(raw), ReadBytes(io.Path("out")), ReadBytes(io.Path("err"))};
}

TEST(Cli, DefaultsToSha1AndMd5)
{
    TempDir dir;
    const QString file = dir.Write("abc.txt", "abc");
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
    const QString file = dir.Write("abc", "abc");
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
    const QString file = dir.Write("abc", "abc");
    const QString missing = dir.Path("missing");
    const Outcome run = RunCli("--md5 " + Quote(missing) + ' ' + Quote(file));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "sumbrook-cli: " + Native(missing) + ": No such file or directory\n");
    EXPECT_EQ(run.out, Native(file) + "\n\tMD5：900150983CD24FB0D6963F7D28E17F72\n");
}

TEST(Cli, UnreadablePathsGiveErrorLinesAndStatusOne)
{
    TempDir dir;
    const QString pipe = dir.Fifo("pipe");
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
    const QString locked = dir.Folder("locked");
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
    ::chmod(Native(locked).c_str(), 0700);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "sumbrook-cli: " + Native(locked) + ": Cannot read folder\n");
    EXPECT_EQ(run.out, "");
}

TEST(Cli, OutputFileIsTheWindowsResultFile)
{
    TempDir dir;
    const QString first = dir.Write(QStringLiteral("校验.txt"), "abc");
    const QString second = dir.Write("empty", "");
    const QString output = dir.Path("result.txt");
    const Outcome run =
        RunCli("--crc32 --md5 --output " + Quote(output) + ' ' + Quote(first) + ' ' + Quote(second), "LC_ALL=zh_CN.UTF-8");
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

    const QString nowhere = dir.Path("missing/result.txt");
    const Outcome failed = RunCli("--output " + Quote(nowhere) + ' ' + Quote(second));
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(failed.err, "sumbrook-cli: Cannot create file \"" + Native(nowhere) + "\". No such file or directory.\n");
}

TEST(Cli, HelpAndUsageErrors)
{
    const Outcome help = RunCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: sumbrook-cli", 0), 0u);
    EXPECT_EQ(RunCli("").status, 2);
    EXPECT_EQ(RunCli("--sha3 file").status, 2);
    EXPECT_EQ(RunCli("--output").status, 2);
}

} // namespace
