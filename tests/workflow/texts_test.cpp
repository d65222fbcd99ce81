// The texts the workflow shows: size texts, the icon
// fallback's program name and the error box's full stop.

#include <gtest/gtest.h>

#include "tests/workflow/fakes.h"
#include "workflow/file_naming.h"
#include "workflow/marking.h"

using namespace sumbrook::workflow;

namespace {

TEST(SizeText, KilobytesWithTwoDecimalsTiesToEven)
{
    const std::pair<std::uint64_t, const char16_t*> cases[] = {
        {0, u"0KB"},
        {5, u"0KB"},
        {6, u"0.01KB"},
        {128, u"0.12KB"},
        {384, u"0.38KB"},
        {1000, u"0.98KB"},
        {1024, u"1KB"},
        {1536, u"1.5KB"},
        {1048576, u"1024KB"},
        {4294967396ull, u"4194304.1KB"},
        {10243782410728383ull, u"10003693760476.9KB"},
        {18446744073709551615ull, u"18014398509482000KB"},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(SizeText(bytes), QString::fromUtf16(text)) << bytes << " bytes";
}

TEST(FileName, IsThePartAfterTheLastSeparator)
{
    EXPECT_EQ(FileNameOf("/home/u/a.b.txt"), "a.b.txt");
    EXPECT_EQ(FileNameOf("/name"), "name");
    EXPECT_EQ(FileNameOf("plain"), "plain");
    EXPECT_EQ(FileNameOf("/folder/"), "");
}

TEST(Getname, CutsAfterTheFirstExtensionOrAfterExe)
{
    // Blanks around go, A-Z are lowered, nothing else is.
    EXPECT_EQ(Getname("  NOTEPAD.EXE \t"), "notepad.exe");
    EXPECT_EQ(Getname("ÄBC.TXT"), "Äbc.txt");
    // Text after the extension: cut after ".exe " when there is one...
    EXPECT_EQ(Getname("C:\\Tools\\Run.exe /quiet"), "c:\\tools\\run.exe");
    // ...otherwise only the first three characters remain.
    EXPECT_EQ(Getname("/tmp/v1.2/file.txt"), "/tm");
    EXPECT_EQ(Getname("archive.tar.gz"), "arc");
    EXPECT_EQ(Getname("noextension"), "noe");
    // At most three characters after the first ".": the text stays whole.
    EXPECT_EQ(Getname("/tmp/folder/file.txt"), "/tmp/folder/file.txt");
    EXPECT_EQ(Getname("a.c"), "a.c");
    EXPECT_EQ(Getname("ab"), "ab");
    EXPECT_EQ(Getname(""), "");
}

TEST(ErrorBoxText, AddsAFullStopAfterACharacterThatSortsAfterIt)
{
    EXPECT_EQ(ErrorBoxText("Disk full"), "Disk full.");
    EXPECT_EQ(ErrorBoxText("Path /"), "Path /."); // '/' sorts just after '.'
    EXPECT_EQ(ErrorBoxText(QStringLiteral("读取失败")), QStringLiteral("读取失败."));
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("Failed (code 5)"), "Failed (code 5)");
    EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!");
    EXPECT_EQ(ErrorBoxText("Dash-"), "Dash-");
    EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(GroupColour, EightColoursThenNone)
{
    const Rgb expected[] = {{255, 0, 0}, {0, 255, 0},   {255, 0, 255}, {255, 255, 0},
                            {0, 128, 0}, {0, 255, 255}, {128, 128, 0}, {128, 0, 128}};
    for (int mark = 1; mark <= 8; ++mark) EXPECT_EQ(GroupColour(mark), expected[mark - 1]) << "mark " << mark;
    for (const int mark : {-1, 0, 9, 10}) EXPECT_FALSE(GroupColour(mark).has_value()) << "mark " << mark;
}

} // namespace
