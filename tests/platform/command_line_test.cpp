// The program's arguments as UTF-8.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/command_line.h"

namespace {

// The Windows test run passes "名字 ü.txt", which no single ANSI code page
// holds: it must arrive as that UTF-8 text (argv and the narrow environment
// have "?" in its place there).
TEST(CommandLine, ArgumentsArriveAsUtf8)
{
    const std::vector<std::string> seen = ::testing::internal::GetArgvs(); // argv as main got it
    std::vector<const char*> argv;
    for (const std::string& a : seen) argv.push_back(a.c_str());
    const auto arguments = sumbrook::platform::CommandLineArguments(static_cast<int>(argv.size()), argv.data());
    ASSERT_EQ(arguments.size(), seen.size());
    EXPECT_THAT(arguments.front(), ::testing::HasSubstr("platform_tests"));
    if (std::getenv("SUMBROOK_TEST_UTF8_ARGUMENT") != nullptr) {
        EXPECT_EQ(arguments.back(), "\xE5\x90\x8D\xE5\xAD\x97 \xC3\xBC.txt");
    }
}

} // namespace
