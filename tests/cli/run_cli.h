#pragma once

// Running sumbrook-cli and the reference tools as separate programs.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "tests/workflow/fakes.h"

namespace sumbrook::cli::testing {

using workflow::testing::Native;
using workflow::testing::ReadBytes;
using workflow::testing::TempDir;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline std::string Quote(const QString& path)
{
    return '\'' + Native(path) + '\'';
}

// Runs a shell command line with standard output and error captured.
inline Outcome RunShell(const std::string& command)
{
    const TempDir io;
    const std::string out = Native(io.Path("out")), err = Native(io.Path("err"));
    const std::string full = "{ " + command + " ; } >'" + out + "' 2>'" + err + "' </dev/null";
    const int raw = std::system(full.c_str());
    EXPECT_TRUE(WIFEXITED(raw)) << command;
    return {WEXITSTATUS(raw), ReadBytes(io.Path("out")), ReadBytes(io.Path("err"))};
}

// Runs the tool through the shell; Prefix goes before it (variables, a
// wrapper), Output replaces the capture of standard output.
inline Outcome RunCli(const std::string& args, const std::string& prefix = "", const std::string& output = "")
{
    const TempDir io;
    const std::string out = Native(io.Path("out")), err = Native(io.Path("err"));
    const std::string command = prefix + " '" SUMBROOK_CLI "' " + args + ' ' +
                                (output.empty() ? ">'" + out + "'" : output) + " 2>'" + err + "' </dev/null";
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw)) << command;
    return {WEXITSTATUS(raw), ReadBytes(io.Path("out")), ReadBytes(io.Path("err"))};
}

inline bool HaveProgram(const std::string& name)
{
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

} // namespace sumbrook::cli::testing
