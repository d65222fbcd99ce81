#include "ui/start_arguments.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "ui/SumbrookMain.h"
#include "workflow/file_naming.h"

namespace sumbrook::ui {

namespace {

// The path made absolute against the working folder, without a trailing
// separator, so that a folder's files get paths as a drop gives them.
QString AbsolutePath(std::string_view name)
{
    std::string path(name);
    if (path.empty() || path.front() != '/') {
        std::error_code error;
        const std::filesystem::path current = std::filesystem::current_path(error);
        if (!error) path = (current / path).native();
    }
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return workflow::PathFromNative(path);
}

} // namespace

TStartArguments ReadStartArguments(std::span<char* const> arguments)
{
    TStartArguments read;
    bool options = true;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument(arguments[i]);
        if (options && argument == "--") {
            options = false;
        } else if (options && argument == "--verify") {
            read.Verify = true;
            const bool named = i + 1 < arguments.size() && arguments[i + 1][0] != '-' && arguments[i + 1][0] != '\0';
            if (named) read.VerifyFile = AbsolutePath(arguments[++i]);
        } else if (options && argument.size() > 1 && argument.front() == '-') {
            read.Error = QStringLiteral("unknown option: %1").arg(QString::fromLocal8Bit(argument.data()));
            return read;
        } else if (!argument.empty()) {
            read.Paths << AbsolutePath(argument);
        }
    }
    return read;
}

void OpenStartPaths(TSumbrookForm& form, const QStringList& paths)
{
    if (!paths.isEmpty()) form.WMDropFiles(paths);
}

} // namespace sumbrook::ui
