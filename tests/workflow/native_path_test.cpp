// Where paths split: "/" everywhere, and "\" and a drive's ":" on Windows.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "workflow/native_path.h"

using namespace sumbrook::workflow;

namespace {

struct Split {
    std::string_view Path;
    std::string_view Name; // the file name
    bool Rooted;
};

constexpr Split kSplits[] = {
    {"/home/u/a.b.txt", "a.b.txt", true},
    {"/name", "name", true},
    {"plain", "plain", false},
    {"dir/", "", false},
    {"a/b/c", "c", false},
#if defined(_WIN32)
    {"C:\\x\\y.txt", "y.txt", true},
    {"dir\\sub/f", "f", false},
    {"C:f", "f", true},
    {"\\\\server\\share\\f", "f", true},
    {"dir\\", "", false},
#else
    {"dir\\f", "dir\\f", false},
    {"C:f", "C:f", false},
#endif
};

TEST(NativePath, FileNamesAndRootedPaths)
{
    for (const Split& split : kSplits) {
        SCOPED_TRACE(split.Path);
        EXPECT_EQ(split.Path.substr(FileNameStart(split.Path)), split.Name);
        const std::u16string wide(split.Path.begin(), split.Path.end());
        EXPECT_EQ(FileNameOf(wide), std::u16string(split.Name.begin(), split.Name.end()));
        EXPECT_EQ(IsRootedPath(split.Path), split.Rooted);
    }
}

#if !defined(_WIN32)
// A name in bytes that are no UTF-8 is shown in the ANSI code page where it is
// valid there (zh_CN means GBK, installed or not), name by name; otherwise
// each such byte is U+FFFD. Either way the path opens by its own bytes.
TEST(NativePath, NamesThatAreNoUtf8AreShownInTheCodePage)
{
    struct Case {
        const char* Locale;
        std::string_view Bytes;
        std::u16string_view Shown;
    };
    const Case cases[] = {
        {"zh_CN.GBK", "/\xE7\x94\xA8/\xD6\xD0\xCE\xC4.txt", u"/\u7528/\u4E2D\u6587.txt"},
        {"zh_CN.UTF-8", "\xD6\xD0/\xE7\x94\xA8\xFF", u"\u4E2D/\u7528\uFFFD"},
        {"C", "caf\xE9.txt", u"caf\uFFFD.txt"},
        {"zh_CN.GBK", "caf\xE9.txt", u"caf\uFFFD.txt"}, // E9 2E is no GBK pair
    };
    const char* old = std::getenv("LC_ALL");
    const std::optional<std::string> previous = old ? std::optional<std::string>(old) : std::nullopt;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Locale);
        ::setenv("LC_ALL", c.Locale, 1);
        const std::u16string path = Utf16FromNative(c.Bytes);
        EXPECT_EQ(ShownText(path), c.Shown);
        EXPECT_EQ(NativePath(path), c.Bytes);
    }
    if (previous)
        ::setenv("LC_ALL", previous->c_str(), 1);
    else
        ::unsetenv("LC_ALL");
}
#endif

} // namespace
