#include "platform/program_search.h"

#include <cstdlib>
#include <string_view>

#include "platform/file_kind.h"

namespace sumbrook::platform {

std::optional<std::string> SearchProgramPath(const std::string& name)
{
    if (name.empty() || name.find('/') != std::string::npos) return std::nullopt;
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
    while (true) {
        const auto colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        // An empty element means the current folder.
        const std::string candidate = (folder.empty() ? std::string(".") : std::string(folder)) + "/" + name;
        if (RegularFileExists(candidate)) return candidate;
        if (colon == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(colon + 1);
    }
}

} // namespace sumbrook::platform
