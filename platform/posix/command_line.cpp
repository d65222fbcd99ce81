#include "platform/command_line.h"

namespace sumbrook::platform {

std::vector<std::string> CommandLineArguments(int argc, const char* const* argv)
{
    return {argv, argv + argc};
}

void PrepareStandardOutputBytes() {}

} // namespace sumbrook::platform
