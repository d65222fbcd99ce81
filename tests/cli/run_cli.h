#pragma once

// Running sumbrook-cli and the reference tools as separate programs.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace sumbrook::cli::testing {

// Paths are the bytes the tool is given.
inline const std::string& Native(const std::string& path)
{
    return path;
}

// A fresh folder under the system's temporary folder, removed with all it holds.
class TempDir {
public:
    TempDir()
    {
        path_ = (std::filesystem::temp_directory_path() / "sumbrook-test-XXXXXX").string();
        if (::mkdtemp(path_.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string Path(const std::string& relative) const { return path_ + '/' + relative; }

    std::string Write(const std::string& relative, const std::string& bytes) const
    {
        const std::string path = Path(relative);
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + path);
        return path;
    }
    std::string Folder(const std::string& relative) const
    {
        const std::string path = Path(relative);
        std::filesystem::create_directories(path);
        return path;
    }
    std::string Fifo(const std::string& relative) const
    {
        const std::string path = Path(relative);
        if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
        return path;
    }

private:
    std::string path_;
};

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

inline std::string Quote(const std::string& path)
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
