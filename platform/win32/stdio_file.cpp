#include "platform/stdio_file.h"

#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

std::FILE* OpenStdioFile(const std::string& path, const char* mode)
{
    return ::_wfopen(LongPath(path).c_str(), Widen(mode).c_str());
}

} // namespace sumbrook::platform
