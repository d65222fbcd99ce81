#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "checking/algorithms.h"
#include "digest/engine/DCPkernels.h"
#include "sumbrook_version.h"

namespace sumbrook::cli {

using namespace checking; // the checksum files, shared with the window

namespace {

constexpr std::string_view kUsageHead =
    "Usage: sumbrook-cli [ALGORITHM...] [-r] [-j N] [--format=FORMAT] [--output FILE] [--] PATH...\n"
    "  or:  sumbrook-cli --check [ALGORITHM] [--quiet|--status] [--strict] [--] [FILE...]\n"
    "Print the checksums and digests of files, or verify the files a checksum\n"
    "file lists.\n"
    "\n";

constexpr std::string_view kUsageTail =
    "  --all           every algorithm\n"
    "\n"
    "Hashing:\n"
    "  -r, --recursive a folder stands for every regular file below it, depth\n"
    "                  first, in name order within each folder; links to folders\n"
    "                  are not followed (without -r: the files directly inside)\n"
    "  -j N            hash on N threads (default: one per core); -j 1 keeps\n"
    "                  everything on one thread, the output is the same\n"
    "  --format=FORMAT how results are written on standard output:\n"
    "                    sumbrook  the path, then one line per algorithm after\n"
    "                              a TAB, as the window shows them (default)\n"
    "                    gnu       'hex  path' exactly as sha256sum, md5sum…\n"
    "                              write it; exactly one algorithm, no --crc32\n"
    "                    bsd       'SHA256 (path) = hex', a line per algorithm\n"
    "                    sfv       'path CRC32', needs --crc32 and nothing else\n"
    "  --output FILE   also save the results as the window's save command does\n"
    "                  (TAB-indented, CR LF, the locale's ANSI code page); the\n"
    "                  file is replaced only once it is complete\n"
    "\n"
    "Checking:\n"
    "  -c, --check     read checksum files (standard input for none or '-') and\n"
    "                  check the files they list: 'NAME: OK', 'NAME: FAILED' or\n"
    "                  'NAME: FAILED open or read'\n"
    "  --quiet         print only what failed\n"
    "  --status        print nothing; the exit status tells\n"
    "  --strict        a malformed line fails the check too\n"
    "  --ignore-missing  say nothing of listed files that do not exist\n"
    "  -w, --warn      accepted; malformed lines are always reported\n"
    "  An algorithm option says which algorithm a GNU line's hex is for when\n"
    "  its length fits several (32 digits: MD4, RipeMD-128, MD5) and the\n"
    "  checksum file's name (.md5, .sha256, SHA1SUMS…) does not tell.\n"
    "\n"
    "  Checksum files read: GNU lines ('HEX  NAME', 'HEX *NAME', and the\n"
    "  escaped form starting with '\\'), BSD tags ('SHA256 (NAME) = HEX', as\n"
    "  coreutils --tag, shasum --tag, rhash --bsd and openssl write them), SFV\n"
    "  ('NAME CRC32', ';' starts a comment) and the window's result file\n"
    "  (GBK under a Chinese locale, the locale's code page, UTF-8 with or\n"
    "  without a byte-order mark). As coreutils and rhash do, names in GNU and\n"
    "  BSD lines are taken relative to the current folder, names in SFV files\n"
    "  and result files relative to the checksum file's folder.\n"
    "\n"
    "Other:\n"
    "  --no-progress   never show the progress line (it is shown on standard\n"
    "                  error for files that take a while, only on a terminal)\n"
    "  --help          show this text\n"
    "  --version       show the version and the kernel each algorithm runs on\n"
    "  --              every argument after it is a path, even '-x'\n"
    "\n"
    "A path with a backslash, a line feed or a carriage return is printed\n"
    "after a backslash, with those written as \\\\, \\n and \\r.\n"
    "SUMBROOK_DIGEST_KERNEL=portable runs every algorithm on its portable code.\n"
    "\n"
    "Examples:\n"
    "  sumbrook-cli --sha256 --format=gnu *.iso > SHA256SUMS   (sha256sum -c reads it)\n"
    "  sumbrook-cli -r --format=bsd --all ~/Downloads > sums.txt\n"
    "  sumbrook-cli --check sums.txt          which files changed since\n"
    "  sumbrook-cli -c --md5 list.txt         32 hex digits taken as MD5\n"
    "  sumbrook-cli --crc32 --format=sfv disk/* > disk.sfv\n"
    "\n"
    "Exit status: 0 when every file was read (with --check: every listed file\n"
    "matched), 1 when a file was missing, unreadable or did not match or the\n"
    "output could not be written, 2 for a usage error.\n";

// The algorithm options: CRC-32, then the digests.
std::string Usage()
{
    std::string text(kUsageHead);
    text += "Algorithms, one option each (without any:";
    for (const AlgorithmId id : kDefaultAlgorithms) text += " --" + std::string(OptionName(id));
    text += "):\n  --crc32";
    std::size_t column = 9;
    for (const AlgorithmId id : AlgorithmSet::All().Digests()) {
        const std::string option = " --" + std::string(OptionName(id));
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

// The algorithm "--OPTION" selects.
std::optional<AlgorithmId> AlgorithmOption(std::string_view arg)
{
    if (!arg.starts_with("--")) return std::nullopt;
    for (const AlgorithmId id : AlgorithmSet::All())
        if (OptionName(id) == arg.substr(2)) return id;
    return std::nullopt;
}

ParsedCommandLine UsageError(const std::string& problem)
{
    return {std::nullopt, "sumbrook-cli: " + problem + "\nTry 'sumbrook-cli --help'.\n", 2};
}

std::optional<OutputFormat> FormatNamed(std::string_view name)
{
    if (name == "sumbrook") return OutputFormat::Sumbrook;
    if (name == "gnu") return OutputFormat::Gnu;
    if (name == "bsd") return OutputFormat::Bsd;
    if (name == "sfv") return OutputFormat::Sfv;
    return std::nullopt;
}

// What the chosen options cannot do together; empty when they can.
std::string Conflict(const Options& options, bool formatGiven, std::string_view checkOnly)
{
    if (options.Check) {
        if (formatGiven) return "--format is for writing checksums, not for --check";
        if (options.Output) return "--output is for writing checksums, not for --check";
        if (options.Recursive) return "-r lists folders to hash; --check takes the names from the checksum files";
        return {};
    }
    if (!checkOnly.empty()) return std::string(checkOnly) + " is only for --check";
    const bool crc32 = options.Algorithms.Contains(AlgorithmId::Crc32);
    const std::size_t digests = options.Algorithms.Digests().Size();
    switch (options.Format) {
    case OutputFormat::Gnu:
        if (crc32) return "--format=gnu has no CRC-32 form; use --format=sfv or --format=bsd for --crc32";
        if (digests != 1)
            return "--format=gnu writes exactly one algorithm, " + std::to_string(digests) +
                   " are selected; choose one, such as --sha256, or use --format=bsd";
        return {};
    case OutputFormat::Sfv:
        if (!crc32 || !options.AlgorithmsGiven) return "--format=sfv needs --crc32";
        if (digests != 0) return "--format=sfv writes CRC-32 only; use --format=bsd for more algorithms";
        return {};
    default:
        return {};
    }
}

} // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv)
{
    Options options;
    options.Threads = std::max(std::thread::hardware_concurrency(), 1u);
    bool optionsEnd = false;
    bool formatGiven = false;
    std::string checkOnly; // the first --check option seen
    // "--name=VALUE" or "--name VALUE"; nothing when Arg is not --name.
    const auto valueOf = [&](std::string_view arg, std::string_view name, int& i) -> std::optional<std::string_view> {
        if (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=')
            return arg.substr(name.size() + 1);
        if (arg != name) return std::nullopt;
        if (i + 1 == argc) return std::string_view();
        return std::string_view(argv[++i]);
    };
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
        } else if (const auto output = valueOf(arg, "--output", i)) {
            if (output->empty()) return UsageError("--output needs a file name");
            options.Output = std::string(*output);
        } else if (const auto format = valueOf(arg, "--format", i)) {
            const auto named = FormatNamed(*format);
            if (!named)
                return UsageError("--format needs sumbrook, gnu, bsd or sfv, not '" + std::string(*format) + "'");
            options.Format = *named;
            formatGiven = true;
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
        } else if (arg == "-r" || arg == "--recursive") {
            options.Recursive = true;
        } else if (arg == "-c" || arg == "--check") {
            options.Check = true;
        } else if (arg == "--quiet" || arg == "--status" || arg == "--strict" || arg == "--ignore-missing" ||
                   arg == "-w" || arg == "--warn") {
            if (arg == "--quiet") options.Quiet = true;
            if (arg == "--status") options.Status = true;
            if (arg == "--strict") options.Strict = true;
            if (arg == "--ignore-missing") options.IgnoreMissing = true;
            if (checkOnly.empty()) checkOnly = arg;
        } else if (arg == "--no-progress") {
            options.Progress = false;
        } else if (arg == "--all") {
            options.Algorithms = AlgorithmSet::All();
            options.AlgorithmsGiven = true;
        } else if (const auto found = AlgorithmOption(arg)) {
            options.Algorithms.Insert(*found);
            options.AlgorithmsGiven = true;
        } else {
            return UsageError("unknown option " + std::string(arg));
        }
    }
    // With --check, algorithm options only say what a GNU line's hex is for.
    if (!options.Check && !options.AlgorithmsGiven) options.Algorithms = kDefaultAlgorithms;
    if (const std::string conflict = Conflict(options, formatGiven, checkOnly); !conflict.empty())
        return UsageError(conflict);
    if (options.Check && options.Paths.empty()) options.Paths.emplace_back("-");
    if (options.Paths.empty()) return UsageError("no file named");
    return {std::move(options), {}, 0};
}

} // namespace sumbrook::cli
