// Export of the results: the clipboard texts and the saved file's bytes,
// and what a save that cannot complete leaves behind.

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <filesystem>
#include <fstream>

#include "platform/ansi_codepage.h"
#include "workflow/export.h"
#include "tests/workflow/fakes.h"
#include "platform/file_writer.h"
#include "platform/process_setup.h"
#include "workflow/texts.h"

using namespace sumbrook::workflow;
using namespace sumbrook::workflow::testing;
using namespace Qt::StringLiterals;

namespace {

// Sets an environment variable for the life of the guard.
class EnvGuard {
public:
    EnvGuard(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        ::setenv(name, value, 1);
    }
    ~EnvGuard()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Two files with two lines each, then one without lines.
void Fill(ResultsTreePort& tree)
{
    int top = tree.AppendTop(u"名字.txt"_s);
    tree.AppendLine(top, u"SHA1：AB"_s);
    tree.AppendLine(top, u"MD5：CD"_s);
    top = tree.AppendTop(u"x😀Ω"_s);
    tree.AppendLine(top, kDigestErrorLine);
    tree.AppendLine(top, u"MD5：EF"_s);
    tree.AppendTop(u"gone"_s);
}

TEST(Export, CopyAllPutsEveryNodeAfterTheHeader)
{
    Bench bench;
    bench.exporter.CopyAll();
    EXPECT_EQ(bench.window.clipboard, u"Sumbrook校验结果：\r\n\r\n"_s);
    EXPECT_EQ(bench.window.clipboardSets, 1);

    Fill(bench.tree);
    bench.exporter.CopyAll();
    EXPECT_EQ(bench.window.clipboard, u"Sumbrook校验结果：\r\n\r\n"
                                      u"名字.txt\r\n\r\nSHA1：AB\r\n\r\nMD5：CD\r\n\r\n"
                                      u"x😀Ω\r\n\r\n：读取文件错误\r\n\r\nMD5：EF\r\n\r\n"
                                      u"gone\r\n\r\n"_s);
}

TEST(Export, CopySelectedPutsOneNodeAlone)
{
    Bench bench;
    Fill(bench.tree);
    bench.exporter.CopySelected();
    EXPECT_EQ(bench.window.clipboardSets, 0); // nothing selected: the clipboard is left alone

    bench.ownTree.Select(TreeNode{1, -1});
    bench.exporter.CopySelected();
    EXPECT_EQ(bench.window.clipboard, u"x😀Ω"_s);
    bench.ownTree.Select(TreeNode{0, 1});
    bench.exporter.CopySelected();
    EXPECT_EQ(bench.window.clipboard, u"MD5：CD"_s);
}

// The popup commands stay usable during a run and see what it has so far.
TEST(Export, CopyDuringARunSeesTheNodesSoFar)
{
    TempDir dir;
    Bench bench;
    bench.Select(false, {AlgorithmId::Md5});
    bench.intake.Drop({dir.Write("a", "a"), dir.Write("b", "b")});
    QStringList seen;
    bench.onFileDone = [&](int) {
        bench.exporter.CopyAll();
        seen << bench.window.clipboard;
    };
    bench.Calculate();
    ASSERT_EQ(seen.size(), 2);
    const QString a = u"a\r\n\r\nMD5：0CC175B9C0F1B6A831C399E269772661\r\n\r\n"_s;
    EXPECT_EQ(seen[0], u"Sumbrook校验结果：\r\n\r\n"_s + a);
    EXPECT_EQ(seen[1],
              u"Sumbrook校验结果：\r\n\r\n"_s + a + u"b\r\n\r\nMD5：92EB5FFEE6AE2FEC3AD71C777531578F\r\n\r\n"_s);
}

TEST(Export, SavedFileIsTabIndentedCrLfInTheAnsiCodePage)
{
    const EnvGuard locale("LC_ALL", "zh_CN.UTF-8");
    ASSERT_EQ(sumbrook::platform::AnsiCodePageName(), "GBK");
    TempDir dir;
    Bench bench;
    Fill(bench.tree);
    bench.window.saveAnswer = dir.Path("result"); // no extension is added
    bench.RunCommand([&] { bench.exporter.Save(); });

    // GBK: 名 C3FB, 字 D7D6, ： A3BA, Ω A6B8; the emoji has no GBK code.
    const std::string expected = "\xC3\xFB\xD7\xD6.txt\r\n"
                                 "\tSHA1\xA3\xBA"
                                 "AB\r\n"
                                 "\tMD5\xA3\xBA"
                                 "CD\r\n"
                                 "x?\xA6\xB8\r\n"
                                 "\t\xA3\xBA\xB6\xC1\xC8\xA1\xCE\xC4\xBC\xFE\xB4\xED\xCE\xF3\r\n"
                                 "\tMD5\xA3\xBA"
                                 "EF\r\n"
                                 "gone\r\n";
    EXPECT_EQ(ReadBytes(dir.Path("result")), expected);
    EXPECT_TRUE(bench.window.errors.isEmpty());
    // The clipboard keeps what the code page lacks.
    EXPECT_TRUE(CopyAllText(bench.tree).contains(u"x😀Ω"_s));
}

TEST(Export, EmptyTreeSavesZeroBytesOverAnExistingFile)
{
    TempDir dir;
    Bench bench;
    const QString path = dir.Write("SumbrookResult.txt", "an older result");
    bench.window.saveAnswer = path;
    bench.exporter.Save();
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(ReadBytes(path), "");

    // A cancelled dialog writes nothing.
    Fill(bench.tree);
    bench.window.saveAnswer.reset();
    bench.exporter.Save();
    EXPECT_EQ(ReadBytes(path), "");
}

TEST(Export, FileThatCannotBeCreatedIsReportedWithTheReason)
{
    TempDir dir;
    Bench bench;
    Fill(bench.tree);
    const QString path = dir.Path("missing-folder/result.txt");
    bench.window.saveAnswer = path;
    bench.RunCommand([&] { bench.exporter.Save(); });
    EXPECT_EQ(bench.window.errors, QStringList{"Cannot create file \"" + path + "\". No such file or directory."});
}

TEST(Export, FullDeviceIsReportedAndNotRemoved)
{
    Bench bench;
    Fill(bench.tree);
    bench.window.saveAnswer = "/dev/full";
    bench.RunCommand([&] { bench.exporter.Save(); });
    EXPECT_EQ(bench.window.errors, QStringList{"Cannot write file \"/dev/full\". No space left on device."});
    // Under a Chinese locale too: one message, one language.
    const std::string locale = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "zh_CN.UTF-8") != nullptr) {
        bench.window.errors.clear();
        bench.RunCommand([&] { bench.exporter.Save(); });
        std::setlocale(LC_ALL, locale.c_str());
        EXPECT_EQ(bench.window.errors, QStringList{"Cannot write file \"/dev/full\". No space left on device."});
    }
    struct stat st {};
    EXPECT_TRUE(::stat("/dev/full", &st) == 0 && S_ISCHR(st.st_mode));
}

// Saving onto a pipe nobody reads must not hang the window; a hang ends the
// test program through the alarm.
TEST(Export, PipeWithoutReaderIsReportedAtOnce)
{
    TempDir dir;
    Bench bench;
    Fill(bench.tree);
    const QString pipe = dir.Fifo("pipe");
    bench.window.saveAnswer = pipe;
    ::alarm(60);
    bench.RunCommand([&] { bench.exporter.Save(); });
    ::alarm(0);
    EXPECT_EQ(bench.window.errors, QStringList{"Cannot create file \"" + pipe + "\". No such device or address."});
    EXPECT_TRUE(Exists(pipe));
}

// Names in Folder other than the ones given: a new file left behind.
QStringList Strays(const TempDir& dir, const QStringList& expected)
{
    QStringList strays;
    for (const auto& entry : std::filesystem::directory_iterator(Native(dir.Path())))
        if (!expected.contains(QString::fromStdString(entry.path().filename().string())))
            strays << QString::fromStdString(entry.path().filename().string());
    return strays;
}

// A save replaces the result file as a whole or leaves the previous one
// exactly as it was, however the write fails: a size limit, a full disk, a
// signal part-way. A symbolic link is followed, the file's mode kept.
TEST(Export, SaveReplacesTheFileWholeOrNotAtAll)
{
    TempDir dir;
    Bench bench;
    for (int i = 0; i < 400; ++i)
        bench.tree.AppendLine(bench.tree.AppendTop(QString::number(i)), u"MD5：D41D8CD98F00B204E9800998ECF8427E"_s);
    const std::string older = "an older result";
    const QString path = dir.Write("result.txt", older);
    ::chmod(Native(path).c_str(), 0640);
    ASSERT_EQ(::symlink("result.txt", Native(dir.Path("link.txt")).c_str()), 0);
    bench.window.saveAnswer = dir.Path("link.txt");

    // A size limit: the write fails with EFBIG instead of killing the process.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    bench.RunCommand([&] { bench.exporter.Save(); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(bench.window.errors, QStringList{"Cannot write file \"" + dir.Path("link.txt") + "\". File too large."});
    EXPECT_EQ(ReadBytes(path), older);

    // A signal part-way: the writer's process is stopped in the middle, by
    // any signal that ends a process and can be caught.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPROF, SIGRTMIN}) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            sumbrook::platform::PrepareProcessSignals();
            const auto file = sumbrook::platform::FileWriter::Create(Native(path));
            const std::string half(20000, 'x');
            file->Write(std::span(reinterpret_cast<const std::uint8_t*>(half.data()), half.size()));
            if (::write(ready[1], "!", 1) != 1) ::_exit(1);
            ::pause();
            ::_exit(0);
        }
        // Only the child writes: should it end early, the read sees the end of the pipe.
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        ::close(ready[0]);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << strsignal(signal);
        EXPECT_EQ(ReadBytes(path), older);
        EXPECT_EQ(Strays(dir, {"result.txt", "link.txt"}), QStringList{}) << strsignal(signal);
    }

    // A folder the writer may not write in, over a file it may: refused, as
    // a write in place could not keep the previous file.
    const QString locked = dir.Folder("locked");
    const QString lockedFile = dir.Write("locked/result.txt", older);
    ::chmod(Native(lockedFile).c_str(), 0666);
    ::chmod(Native(locked).c_str(), 0555);
    ::chmod(Native(dir.Path()).c_str(), 0711);
    const pid_t stranger = ::fork();
    if (stranger == 0) {
        // Root writes anywhere: the check is made as nobody.
        if (::getuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        try {
            sumbrook::platform::FileWriter::Create(Native(lockedFile));
        } catch (const sumbrook::Exception& e) {
            ::_exit(std::string(e.what()).ends_with("Permission denied") ? 0 : 2);
        }
        ::_exit(1);
    }
    int strangerStatus = 0;
    ::waitpid(stranger, &strangerStatus, 0);
    EXPECT_TRUE(WIFEXITED(strangerStatus) && WEXITSTATUS(strangerStatus) == 0) << WEXITSTATUS(strangerStatus);
    EXPECT_EQ(ReadBytes(lockedFile), older);
    ::chmod(Native(locked).c_str(), 0755);

    // A full disk, where a small one can be made.
    const QString disk = dir.Folder("disk");
    if (::mount("tmpfs", Native(disk).c_str(), "tmpfs", 0, "size=16k") == 0) {
        const QString onDisk = disk + "/result.txt";
        std::ofstream(Native(onDisk)) << older;
        bench.window.errors.clear();
        bench.window.saveAnswer = onDisk;
        bench.RunCommand([&] { bench.exporter.Save(); });
        EXPECT_EQ(bench.window.errors, QStringList{"Cannot write file \"" + onDisk + "\". No space left on device."});
        EXPECT_EQ(ReadBytes(onDisk), older);
        EXPECT_EQ(std::filesystem::directory_iterator(Native(disk))->path().filename(), "result.txt");
        ::umount(Native(disk).c_str());
    }
    EXPECT_EQ(Strays(dir, {"result.txt", "link.txt", "disk", "locked"}), QStringList{});

    // And a save that succeeds replaces the file the link points to.
    bench.window.errors.clear();
    bench.window.saveAnswer = dir.Path("link.txt");
    bench.RunCommand([&] { bench.exporter.Save(); });
    EXPECT_TRUE(bench.window.errors.isEmpty());
    EXPECT_EQ(ReadBytes(path), ResultFileBytes(bench.tree));
    struct stat st {};
    ASSERT_EQ(::lstat(Native(dir.Path("link.txt")).c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    ASSERT_EQ(::stat(Native(path).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Strays(dir, {"result.txt", "link.txt", "disk", "locked"}), QStringList{});
}

// A file name cannot forge lines: control characters become "?" in what is
// saved and copied.
TEST(Export, ControlCharactersOfNamesAreWrittenAsQuestionMarks)
{
    Bench bench;
    const int top = bench.tree.AppendTop(u"x\r\n\tMD5：D41D8CD98F00B204E9800998ECF8427E\r\ny\x7F"_s);
    bench.tree.AppendLine(top, u"MD5：0CC175B9C0F1B6A831C399E269772661"_s);
    EXPECT_EQ(ResultFileText(bench.tree),
              u"x???MD5：D41D8CD98F00B204E9800998ECF8427E??y?\r\n\tMD5：0CC175B9C0F1B6A831C399E269772661\r\n"_s);
    EXPECT_EQ(CopyAllText(bench.tree), kCopyAllHeader + u"x???MD5：D41D8CD98F00B204E9800998ECF8427E??y?\r\n\r\n"
                                                        u"MD5：0CC175B9C0F1B6A831C399E269772661\r\n\r\n"_s);
}

TEST(CodePage, MissingCharactersAndUnknownEncodingsBecomeQuestionMarks)
{
    EXPECT_EQ(sumbrook::platform::ToCodePage(u"a名😀b", "GBK"), "a\xC3\xFB?b");
    EXPECT_EQ(sumbrook::platform::ToCodePage(u"a名😀b", "NO-SUCH-ENCODING"), "a??b");
    EXPECT_EQ(sumbrook::platform::ToCodePage(std::u16string(5000, u'名'), "GBK").size(), 10000u);
    // A close form where the charset has one, as the best-fit conversion gives it.
    EXPECT_EQ(sumbrook::platform::ToCodePage(u"MD5：9001　名", "ASCII"), "MD5:9001 ?");
    EXPECT_EQ(sumbrook::platform::ToCodePage(u"MD5：9001", "NO-SUCH-ENCODING"), "MD5:9001");
}

// A locale that is named but not installed still says which charset it wants.
TEST(CodePage, FollowsTheLocaleNameWhereTheLocaleIsMissing)
{
    const EnvGuard all("LC_ALL", "xx_YY.UTF-8");
    EXPECT_EQ(sumbrook::platform::AnsiCodePageName(), "UTF-8");
    const EnvGuard c("LC_ALL", "C");
    EXPECT_EQ(sumbrook::platform::ToAnsiCodePage(u"MD5：9001"), "MD5:9001");
}

} // namespace
