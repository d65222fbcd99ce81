#include "platform/stdio_file.h"

namespace sumbrook::platform {

std::FILE* OpenStdioFile(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

} // namespace sumbrook::platform
