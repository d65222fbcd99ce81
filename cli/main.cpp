// sumbrook-cli: the window's result lines, or the lines of the usual
// checksum files, for files named on the command line, computed by the same
// digest job the window runs; or, with --check, those files checked against
// checksum files. Here the command line is read and the command run.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/check.h"
#include "cli/hash_command.h"
#include "cli/options.h"
#include "cli/progress_line.h"
#include "cli/standard_output.h"
#include "digest/engine/DCPkernels.h"
#include "platform/command_line.h"
#include "platform/process_setup.h"

using namespace sumbrook;

int main(int argc, char** argv)
{
    const bool stdoutOpen = platform::ReserveStandardStreams();
    platform::PrepareProcessSignals();
    platform::PrepareStandardOutputBytes();
    // On Windows the wide command line in UTF-8, so any file name arrives whole.
    std::vector<std::string> arguments = platform::CommandLineArguments(argc, argv);
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    // A kernel name nobody knows must not pass for the default choice.
    if (const std::string problem = DigestKernelVariableError(); !problem.empty()) {
        cli::Complain(problem);
        return 2;
    }
    const cli::ParsedCommandLine command = cli::ParseCommandLine(static_cast<int>(arguments.size()), pointers.data());
    if (!command.Run) {
        std::FILE* stream = command.ExitStatus == 0 ? stdout : stderr;
        // "--help >/dev/full" fails, as the usual tools say.
        if ((std::fputs(command.Text.c_str(), stream) < 0 || std::fflush(stream) != 0) && stream == stdout) {
            cli::Complain(std::string("write error: ") + std::strerror(errno));
            return 1;
        }
        return command.ExitStatus;
    }
    const cli::Options& options = *command.Run;
    cli::StandardOutput out(stdoutOpen);
    cli::ProgressLine progress(options.Progress && cli::ProgressLine::Wanted());
    return options.Check ? cli::RunCheck(options, out, progress) : cli::RunHash(options, out, progress);
}
