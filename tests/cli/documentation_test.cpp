// --help, the man page and the bash completion tell of the same options;
// both manual pages are well formed.

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "tests/cli/run_cli.h"

using namespace sumbrook::cli::testing;

namespace {

const std::string kCliFolder = SUMBROOK_TEST_DATA "/../../cli/";

std::set<std::string> OptionsIn(const std::string& text)
{
    std::set<std::string> options;
    const std::regex option(R"((?:^|[\s\[(|,])(--?[a-z][a-z0-9-]*))");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it) {
        // The other tools' options ("rhash --bsd") are theirs.
        const std::string before = text.substr(0, static_cast<std::size_t>(it->position(1)));
        if (!before.ends_with("rhash ") && !before.ends_with("coreutils ") && !before.ends_with("shasum "))
            options.insert((*it)[1]);
    }
    return options;
}

TEST(Documentation, ManPageAndCompletionKnowEveryOptionOfHelp)
{
    const Outcome help = RunCli("--help");
    ASSERT_EQ(help.status, 0);
    std::string manPage = ReadBytes(kCliFolder + "sumbrook-cli.1");
    ASSERT_FALSE(manPage.empty());
    // Roff writes a minus as "\-".
    for (std::size_t at = manPage.find("\\-"); at != std::string::npos; at = manPage.find("\\-", at))
        manPage.erase(at, 1);
    const std::string completion = ReadBytes(kCliFolder + "sumbrook-cli.bash-completion");
    ASSERT_FALSE(completion.empty());
    const std::set<std::string> options = OptionsIn(help.out);
    EXPECT_GT(options.size(), 25u);
    for (const std::string& option : options) {
        EXPECT_NE(manPage.find(option), std::string::npos) << option << " missing from the man page";
        EXPECT_NE(completion.find(option), std::string::npos) << option << " missing from the completion";
    }
}

// The man page's synopsis says what --help's usage lines say.
TEST(Documentation, SynopsisAsInHelp)
{
    if (!HaveProgram("man")) GTEST_SKIP() << "needs man";
    const std::string help = RunCli("--help").out;
    const Outcome page = RunShell("MANWIDTH=250 man -l " + Quote(kCliFolder + "sumbrook-cli.1") + " 2>/dev/null");
    const auto squeezed = [](std::string text) {
        std::string out;
        for (const char c : text)
            if (c != ' ' || (!out.empty() && out.back() != ' ' && out.back() != '\n')) out += c;
        return out;
    };
    const std::size_t from = page.out.find("SYNOPSIS\n"), to = page.out.find("\n\n", from);
    ASSERT_NE(from, std::string::npos);
    const std::string synopsis = squeezed(page.out.substr(from + 9, to - from - 9));
    std::string usage = help.substr(0, help.find('\n', help.find("\n") + 1));
    usage.replace(usage.find("Usage: "), 7, "");
    usage.replace(usage.find("  or:  "), 7, "");
    EXPECT_EQ(synopsis, squeezed(usage));
}

TEST(Documentation, ManPagesAreWellFormed)
{
    const std::string windowPage = SUMBROOK_TEST_DATA "/../../app/sumbrook.1";
    for (const std::string& path : {kCliFolder + "sumbrook-cli.1", windowPage}) {
        SCOPED_TRACE(path);
        const std::string page = Quote(path);
        if (!HaveProgram("mandoc")) {
            ADD_FAILURE() << "mandoc missing: scripts/install-deps.sh test installs it";
        } else {
            const Outcome lint = RunShell("mandoc -T lint -W warning " + page);
            EXPECT_EQ(lint.status, 0) << lint.out << lint.err;
            EXPECT_EQ(lint.out + lint.err, "");
        }
        if (HaveProgram("man")) {
            const Outcome shown = RunShell("MANWIDTH=80 man --warnings -l " + page);
            EXPECT_EQ(shown.status, 0);
            EXPECT_EQ(shown.err, "");
            EXPECT_NE(shown.out.find("SUMBROOK_DIGEST_KERNEL"), std::string::npos);
        }
    }
    if (HaveProgram("bash")) {
        const Outcome sourced = RunShell("bash -n " + Quote(kCliFolder + "sumbrook-cli.bash-completion"));
        EXPECT_EQ(sourced.status, 0) << sourced.err;
    }
}

} // namespace
