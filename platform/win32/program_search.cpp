#include "platform/program_search.h"

#include "platform/win32/win32_text.h"

namespace sumbrook::platform {

std::optional<std::string> SearchProgramPath(const std::string& name)
{
    const std::wstring wide = Widen(name);
    const DWORD n = ::SearchPathW(nullptr, wide.c_str(), nullptr, 0, nullptr, nullptr);
    if (n == 0) return std::nullopt;
    std::wstring found(n, L'\0');
    const DWORD written = ::SearchPathW(nullptr, wide.c_str(), nullptr, n, found.data(), nullptr);
    if (written == 0 || written >= n) return std::nullopt;
    found.resize(written);
    return Narrow(found);
}

} // namespace sumbrook::platform
