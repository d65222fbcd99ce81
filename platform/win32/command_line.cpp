#include "platform/command_line.h"

#include "platform/win32/win32_text.h" // windows.h first: shellapi.h builds on it

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>

namespace sumbrook::platform {

std::vector<std::string> CommandLineArguments(int argc, const char* const* argv)
{
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&::LocalFree)> wide(::CommandLineToArgvW(::GetCommandLineW(), &count),
                                                         &::LocalFree);
    if (!wide) return {argv, argv + argc};
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(Narrow(wide.get()[i]));
    return arguments;
}

void PrepareStandardOutputBytes()
{
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
    ::SetConsoleOutputCP(CP_UTF8);
}

} // namespace sumbrook::platform
