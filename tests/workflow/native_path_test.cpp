// Where paths split: "/" everywhere, and "\" and a drive's ":" on Windows.

#include <gtest/gtest.h>

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

} // namespace
