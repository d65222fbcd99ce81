#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <getopt.h>
#include <unistd.h>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "checking/algorithms.h"
#include "cli/standard_output.h"
#include "digest/engine/DCPkernels.h"
#include "sumbrook_version.h"

namespace sumbrook::cli {

using namespace checking; // the checksum files, shared with the window

namespace {

constexpr std::string_view kUsageHead =
    "Usage: sumbrook-cli [ALGORITHM...] [-r] [-j N] [-z] [--format=FORMAT] [--output FILE] [--] [PATH...]\n"
    "  or:  sumbrook-cli --check [ALGORITHM...] [--quiet|--status] [--strict] [-z] [--] [FILE...]\n"
    "Print the checksums and digests of files, or verify the files a checksum\n"
    "file lists. With no PATH, or when PATH is -, read standard input.\n"
    "Short options combine, and long ones may be abbreviated while unambiguous.\n"
    "\n";

constexpr std::string_view kUsageTail =
    "  --haval256      HAVAL-256/5 (0x80 padding): the window's HAVAL, which pads\n"
    "                  with 0x80 where the published one pads with 0x01; BSD tag\n"
    "                  HAVAL256-0x80, result lines labelled Haval256\n"
    "  --haval256-published  HAVAL-256/5 as published (rhash, PHP); tag HAVAL256\n"
    "  --all           every algorithm the window has (not --haval256-published)\n"
    "\n"
    "Hashing:\n"
    "  -r, --recursive a folder stands for every regular file below it, depth\n"
    "                  first, in name order within each folder; links to folders\n"
    "                  are not followed (without -r: the files directly inside)\n"
    "  -j, --jobs=N    hash on N threads (default: one per core); -j 1 keeps\n"
    "                  everything on one thread, the output is the same\n"
    "  --format=FORMAT how results are written on standard output:\n"
    "                    sumbrook  the path, then one line per algorithm after\n"
    "                              a TAB, as the window shows them (default)\n"
    "                    gnu       'hex  path' exactly as sha256sum, md5sum…\n"
    "                              write it; exactly one algorithm, no --crc32\n"
    "                    bsd       'SHA256 (path) = hex', a line per algorithm\n"
    "                    sfv       'path CRC32', needs --crc32 and nothing else\n"
    "  --tag           the same as --format=bsd\n"
    "  -z, --zero      end each output line with NUL, not a line feed, and\n"
    "                  print names unescaped; with --check, read lines ending\n"
    "                  in NUL\n"
    "  -b, -t          accepted, as coreutils does; files are always read as bytes\n"
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

ParsedCommandLine UsageError(const std::string& problem)
{
    return {std::nullopt, "sumbrook-cli: " + problem + "\nTry 'sumbrook-cli --help' for more information.\n", 2};
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
    default: return {};
    }
}

} // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv)
{
    Options options;
    options.Threads = std::max(std::thread::hardware_concurrency(), 1u);
    bool formatGiven = false;
    std::string checkOnly; // the first --check option seen
    // Codes of the long options without a short form; algorithm options
    // follow from kAlgorithmBase on, by AlgorithmId.
    enum : int {
        kFormat = 256,
        kOutput,
        kTag,
        kQuiet,
        kStatus,
        kStrict,
        kIgnoreMissing,
        kNoProgress,
        kAll,
        kHelp,
        kVersion,
        kAlgorithmBase
    };
    std::vector<option> longOptions = {
        {"recursive", no_argument, nullptr, 'r'},
        {"jobs", required_argument, nullptr, 'j'},
        {"check", no_argument, nullptr, 'c'},
        {"warn", no_argument, nullptr, 'w'},
        {"binary", no_argument, nullptr, 'b'},
        {"text", no_argument, nullptr, 't'},
        {"zero", no_argument, nullptr, 'z'},
        {"format", required_argument, nullptr, kFormat},
        {"output", required_argument, nullptr, kOutput},
        {"tag", no_argument, nullptr, kTag},
        {"quiet", no_argument, nullptr, kQuiet},
        {"status", no_argument, nullptr, kStatus},
        {"strict", no_argument, nullptr, kStrict},
        {"ignore-missing", no_argument, nullptr, kIgnoreMissing},
        {"no-progress", no_argument, nullptr, kNoProgress},
        {"all", no_argument, nullptr, kAll},
        {"help", no_argument, nullptr, kHelp},
        {"version", no_argument, nullptr, kVersion},
    };
    const std::vector<std::string> algorithmNames = [] {
        std::vector<std::string> names;
        for (const AlgorithmId id : AlgorithmSet::All()) names.emplace_back(OptionName(id));
        return names;
    }();
    for (const AlgorithmId id : AlgorithmSet::All())
        longOptions.push_back({algorithmNames[IndexOf(id)].c_str(), no_argument, nullptr,
                               kAlgorithmBase + static_cast<int>(IndexOf(id))});
    longOptions.push_back({nullptr, 0, nullptr, 0});

    // getopt_long keeps its place in globals: start afresh, report nothing itself.
    optind = 0;
    opterr = 0;
    // getopt_long moves the paths behind the options, in a copy of the list.
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) args.push_back(const_cast<char*>(argv[i]));
    args.push_back(nullptr);
    for (;;) {
        const int code = getopt_long(argc, args.data(), ":rj:cwbtz", longOptions.data(), nullptr);
        if (code == -1) break;
        switch (code) {
        case 'r': options.Recursive = true; break;
        case 'j': {
            const std::string_view count = optarg;
            unsigned threads = 0;
            const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), threads);
            if (error != std::errc() || end != count.data() + count.size() || threads == 0 || threads > 1024)
                return UsageError("-j needs a number of threads from 1 to 1024, not " + Quoted(count));
            options.Threads = threads;
            break;
        }
        case 'c': options.Check = true; break;
        case 'b':
        case 't': break; // no text mode on this system, as coreutils on Linux
        case 'z': options.Zero = true; break;
        case kFormat: {
            const auto named = FormatNamed(optarg);
            if (!named) return UsageError("--format needs sumbrook, gnu, bsd or sfv, not " + Quoted(optarg));
            options.Format = *named;
            formatGiven = true;
            break;
        }
        case kTag:
            options.Format = OutputFormat::Bsd;
            formatGiven = true;
            break;
        case kOutput:
            if (*optarg == '\0') return UsageError("--output needs a file name");
            options.Output = std::string(optarg);
            break;
        case 'w':
        case kQuiet:
        case kStatus:
        case kStrict:
        case kIgnoreMissing:
            options.Quiet = options.Quiet || code == kQuiet;
            options.Status = options.Status || code == kStatus;
            options.Strict = options.Strict || code == kStrict;
            options.IgnoreMissing = options.IgnoreMissing || code == kIgnoreMissing;
            if (checkOnly.empty())
                checkOnly = std::string(args[optind - 1]).substr(0, std::string(args[optind - 1]).find('='));
            break;
        case kNoProgress: options.Progress = false; break;
        case kAll:
            options.Algorithms = kWindowAlgorithms;
            options.AlgorithmsGiven = true;
            break;
        case kHelp: return {std::nullopt, Usage(), 0};
        case kVersion: return {std::nullopt, VersionText(), 0};
        case ':': {
            const std::string_view arg = args[optind - 1];
            return UsageError("option " +
                              Quoted(arg.starts_with("--") ? std::string(arg) : std::string("-") + char(optopt)) +
                              " requires an argument");
        }
        case '?': {
            if (optopt != 0 && optopt < kFormat)
                return UsageError("invalid option -- " + Quoted(std::string(1, char(optopt))));
            const std::string_view arg = args[optind - 1];
            const std::string_view name = arg.substr(0, arg.find('='));
            for (const option& o : longOptions)
                if (o.name && o.has_arg == no_argument && name == std::string("--") + o.name &&
                    arg.find('=') != std::string_view::npos)
                    return UsageError("option " + Quoted(name) + " doesn't allow an argument");
            std::size_t matches = 0;
            std::string possibilities;
            for (const option& o : longOptions) {
                if (!o.name || !std::string_view(o.name).starts_with(name.substr(2))) continue;
                ++matches;
                possibilities += " " + Quoted(std::string("--") + o.name);
            }
            return UsageError((matches > 1 ? "option " + Quoted(name) + " is ambiguous; possibilities:" + possibilities
                                           : "unrecognized option " + Quoted(arg)));
        }
        default:
            if (code >= kAlgorithmBase) {
                options.Algorithms.Insert(static_cast<AlgorithmId>(code - kAlgorithmBase));
                options.AlgorithmsGiven = true;
            }
            break;
        }
    }
    for (int i = optind; i < argc; ++i) options.Paths.emplace_back(args[i]);
    // With --check, algorithm options only say what a GNU line's hex is for.
    if (!options.Check && !options.AlgorithmsGiven) options.Algorithms = kDefaultAlgorithms;
    if (const std::string conflict = Conflict(options, formatGiven, checkOnly); !conflict.empty())
        return UsageError(conflict);
    // No name: standard input, as the usual tools read it, unless it is the
    // terminal, where hashing would wait on typing nobody meant.
    if (options.Paths.empty()) {
        if (!options.Check && ::isatty(STDIN_FILENO))
            return UsageError("no file named, and standard input is a terminal");
        options.Paths.emplace_back("-");
    }
    return {std::move(options), {}, 0};
}

} // namespace sumbrook::cli
