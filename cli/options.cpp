#include "options.h"

#include <algorithm>
#include <optional>
#include <charconv>
#include <thread>
#include <string>
#include <string_view>

#include "DCPkernels.h"
#include "sumbrook_version.h"

namespace sumbrook::cli {

namespace {

constexpr std::string_view kUsageHead =
    "Usage: sumbrook-cli [ALGORITHM...] [-j N] [--output FILE] [--] PATH...\n"
    "Print the checksums and digests of files as Sumbrook shows them.\n"
    "\n";

constexpr std::string_view kUsageTail =
    "  --all           every algorithm\n"
    "\n"
    "  -j N            hash on N threads (default: one per core); -j 1 keeps\n"
    "                  everything on one thread, the output is the same\n"
    "  --output FILE   also save the results as the window's save command does\n"
    "                  (TAB-indented, CR LF, the locale's ANSI code page); the\n"
    "                  file is replaced only once it is complete\n"
    "  --help          show this text\n"
    "  --version       show the version and the kernel each algorithm runs on\n"
    "\n"
    "A folder stands for the regular files directly inside it, in name order.\n"
    "For each file: its path, then one line per algorithm after a TAB, written\n"
    "as soon as the file is done. A path with a backslash, a line feed or a\n"
    "carriage return is printed after a backslash, with those written as\n"
    "\\\\, \\n and \\r.\n"
    "SUMBROOK_DIGEST_KERNEL=portable runs every algorithm on its portable code.\n"
    "Exit status: 0 when every file was read, 1 when a path was missing or\n"
    "unreadable or the output could not be written, 2 for a usage error.\n";

// The algorithm options, from the catalogue: CRC-32, then the digests.
std::string Usage()
{
    std::string text(kUsageHead);
    text += "Algorithms, one option each (without any:";
    for (const TCatalogueEntry& entry : AlgorithmCatalogue())
        if (entry.SelectedAtStart) text += " --" + std::string(entry.Option);
    text += "):\n  --crc32";
    std::size_t column = 9;
    for (const TCatalogueEntry& entry : AlgorithmCatalogue()) {
        const std::string option = " --" + std::string(entry.Option);
        if (column + option.size() > 72) {
            text += "\n ";
            column = 1;
        }
        text += option;
        column += option.size();
    }
    return text + '\n' + std::string(kUsageTail);
}

std::string VersionText()
{
    std::string text = "sumbrook-cli " SUMBROOK_VERSION "\n";
    for (const TDigestKernel& kernel : DigestKernelsInUse())
        text += std::string(kernel.Algorithm) + ": " + std::string(kernel.Kernel) + '\n';
    return text;
}

// The catalogue index of "--OPTION".
std::optional<std::size_t> DigestOption(std::string_view arg)
{
    if (!arg.starts_with("--")) return std::nullopt;
    for (std::size_t k = 0; k < kCatalogueSize; ++k)
        if (AlgorithmCatalogue()[k].Option == arg.substr(2)) return k;
    return std::nullopt;
}

ParsedCommandLine UsageError(const std::string& problem)
{
    return {std::nullopt, "sumbrook-cli: " + problem + "\nTry 'sumbrook-cli --help'.\n", 2};
}

} // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv)
{
    Options options;
    options.Threads = std::max(std::thread::hardware_concurrency(), 1u);
    bool anyAlgorithm = false;
    bool optionsEnd = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnd || arg.empty() || arg[0] != '-' || arg == "-") {
            options.Paths.emplace_back(arg);
        } else if (arg == "--") {
            optionsEnd = true;
        } else if (arg == "--help") {
            return {std::nullopt, Usage(), 0};
        } else if (arg == "--version") {
            return {std::nullopt, VersionText(), 0};
        } else if (arg == "--output") {
            if (++i == argc) return UsageError("--output needs a file name");
            if (*argv[i] == '\0') return UsageError("--output needs a file name, not an empty one");
            options.Output = argv[i];
        } else if (arg == "-j" || (arg.starts_with("-j") && arg.size() > 2)) {
            std::string_view count = arg.substr(2);
            if (count.empty()) {
                if (++i == argc) return UsageError("-j needs a number of threads");
                count = argv[i];
            }
            unsigned threads = 0;
            const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), threads);
            if (error != std::errc() || end != count.data() + count.size() || threads == 0 || threads > 1024)
                return UsageError("-j needs a number of threads from 1 to 1024, not '" + std::string(count) + "'");
            options.Threads = threads;
        } else if (arg == "--crc32") {
            options.Crc32 = anyAlgorithm = true;
        } else if (arg == "--all") {
            options.Crc32 = anyAlgorithm = true;
            options.Digests.fill(true);
        } else if (const auto found = DigestOption(arg)) {
            options.Digests.at(*found) = true;
            anyAlgorithm = true;
        } else {
            return UsageError("unknown option " + std::string(arg));
        }
    }
    if (options.Paths.empty()) return UsageError("no file named");
    if (!anyAlgorithm)
        for (std::size_t k = 0; k < kCatalogueSize; ++k) options.Digests.at(k) = AlgorithmCatalogue()[k].SelectedAtStart;
    return {std::move(options), {}, 0};
}

} // namespace sumbrook::cli
