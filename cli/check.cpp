#include "cli/check.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checking/algorithms.h"
#include "checking/checksum_formats.h"
#include "cli/hash_file.h"
#include "cli/progress_line.h"
#include "checking/result_file.h"
#include "cli/standard_output.h"
#include "checking/text_decoding.h"
#include "platform/stdio_file.h"
#include "workflow/native_path.h"
#include "workflow/ordered_pool.h"

namespace sumbrook::cli {

using namespace checking; // the checksum files, shared with the window

namespace {

struct Expected {
    AlgorithmId Algorithm;
    std::vector<std::uint8_t> Value;
};

// One file to hash: a checksum file's consecutive lines naming it, or a
// result file's entry.
struct Listed {
    std::string Name; // as listed, for the report
    std::string Path; // where it is looked for
    std::vector<Expected> Values;
    bool OneReportPerValue = true; // a result file's entry gets one
    workflow::FileResult Result;
};

struct Counts {
    std::size_t Malformed = 0;
    std::size_t Unreadable = 0;
    std::size_t Mismatched = 0;
    std::size_t Checked = 0; // lines or entries properly formatted
};

std::string Plural(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

std::optional<std::string> ReadAll(const std::string& path, std::string& failure)
{
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> owned;
    std::FILE* file = stdin;
    if (path != "-") {
        owned.reset(platform::OpenStdioFile(path, "rb"));
        if (!owned) {
            failure = std::strerror(errno);
            return std::nullopt;
        }
        file = owned.get();
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const std::size_t got = std::fread(buffer, 1, sizeof buffer, file);
        bytes.append(buffer, got);
        if (got < sizeof buffer) break;
    }
    if (std::ferror(file)) {
        failure = std::strerror(errno);
        return std::nullopt;
    }
    return bytes;
}

std::string FolderOf(const std::string& path)
{
    if (path == "-") return {};
    return path.substr(0, workflow::FileNameStart(path));
}

std::string Under(const std::string& folder, const std::string& name)
{
    return workflow::IsRootedPath(name) ? name : folder + name;
}

bool Matches(const workflow::FileResult& result, const Expected& expected)
{
    const workflow::AlgorithmResult* computed = result.Find(expected.Algorithm);
    return computed != nullptr && !computed->Failed && std::ranges::equal(computed->Value.Bytes(), expected.Value);
}

class Checker {
public:
    Checker(const Options& options, StandardOutput& out, ProgressLine& progress)
        : options_(options), out_(out), progress_(progress), pool_(options.Threads, kLookAhead * options.Threads)
    {
    }

    void ChecksumFile(const std::string& path)
    {
        path_ = path;
        shown_ = path == "-" ? "standard input" : PrintedPath(path);
        counts_ = {};
        ambiguous_.clear();
        std::string failure;
        const auto bytes = ReadAll(path, failure);
        if (!bytes) {
            Error(shown_ + ": " + failure);
            failed_ = true;
            return;
        }
        std::vector<Listed> listed = LooksLikeResultFile(*bytes) ? FromResultFile(*bytes) : FromLines(*bytes);
        for (Listed& item : listed)
            pool_.Push(
                [this, &item] {
                    AlgorithmSet algorithms;
                    for (const Expected& value : item.Values) algorithms.Insert(value.Algorithm);
                    item.Result = HashFile(item.Path, algorithms, options_.Threads, pool_, progress_);
                },
                [this, &item] {
                    Report(item);
                    item.Result = {};
                });
        pool_.Drain();
        Summary();
    }

    int ExitStatus() const { return failed_ || out_.Failed() ? 1 : 0; }

private:
    std::vector<Listed> FromResultFile(const std::string& bytes)
    {
        std::vector<Listed> listed;
        const auto text = ResultFileTextAsUtf8(bytes);
        if (!text) {
            Error(shown_ + ": not in UTF-8 nor in the locale's code page");
            failed_ = true;
            return listed;
        }
        const ResultFile file = ParseResultFile(*text);
        for (const std::size_t line : file.MalformedLines) Malformed(line);
        // The file names are looked up beside the result file.
        const std::string folder = FolderOf(path_);
        for (const ResultEntry& entry : file.Entries) {
            if (entry.Values.empty()) continue;
            Listed item{entry.Name, Under(folder, entry.Name), {}, false, {}};
            for (const ResultValue& value : entry.Values) item.Values.push_back({value.Algorithm, value.Value});
            listed.push_back(std::move(item));
            ++counts_.Checked;
        }
        return listed;
    }

    std::vector<Listed> FromLines(const std::string& bytes)
    {
        std::vector<Listed> listed;
        const std::optional<AlgorithmId> named = AlgorithmOfFileName(path_);
        const std::string folder = FolderOf(path_);
        std::string_view text = bytes;
        for (std::size_t number = 1; !text.empty(); ++number) {
            const std::size_t end = text.find('\n');
            const std::string_view line = text.substr(0, end);
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            ParsedLine parsed = ParseChecksumLine(line);
            if (parsed.Comment) continue;
            if (!parsed.Line) {
                Malformed(number);
                continue;
            }
            ChecksumLine& entry = *parsed.Line;
            const std::optional<AlgorithmId> algorithm = entry.Algorithm ? entry.Algorithm : GnuAlgorithm(entry, named);
            if (!algorithm) continue;
            auto value = ParseDigestHex(*algorithm, entry.Hex);
            if (!value || entry.Hex.size() != HexLength(*algorithm)) {
                Malformed(number);
                continue;
            }
            ++counts_.Checked;
            // Coreutils takes names from the current folder; rhash takes SFV's from the file's.
            const std::string where = entry.Kind == LineKind::Sfv ? Under(folder, entry.Name) : entry.Name;
            // Lines in a row for one file (a BSD file of several algorithms) read it once.
            if (listed.empty() || listed.back().Path != where || listed.back().Name != entry.Name)
                listed.push_back({entry.Name, where, {}, true, {}});
            listed.back().Values.push_back({*algorithm, std::move(*value)});
        }
        return listed;
    }

    // An option, then the checksum file's name, then the hex length alone.
    std::optional<AlgorithmId> GnuAlgorithm(const ChecksumLine& entry, std::optional<AlgorithmId> named)
    {
        const std::vector<AlgorithmId> fitting = DigestsOfHexLength(entry.Hex.size());
        std::vector<AlgorithmId> chosen;
        for (const AlgorithmId a : fitting)
            if (options_.Algorithms.Contains(a)) chosen.push_back(a);
        if (chosen.size() == 1) return chosen.front();
        if (named && std::ranges::find(fitting, *named) != fitting.end()) return named;
        if (fitting.size() == 1) return fitting.front();
        ++ambiguous_[entry.Hex.size()];
        return std::nullopt;
    }

    void Report(const Listed& item)
    {
        // As coreutils prints it: escaped only for a line end, which would forge a line.
        const std::string name =
            item.Name.find_first_of("\n\r") == std::string::npos ? item.Name : PrintedPath(item.Name);
        const workflow::FileResult& result = item.Result;
        if (result.Vanished || !result.Failure.empty() || result.AnyFailed()) {
            if (result.Vanished && options_.IgnoreMissing) return;
            const std::size_t reports = item.OneReportPerValue ? item.Values.size() : 1;
            counts_.Unreadable += reports;
            failed_ = true;
            Error(name + ": " + (result.Failure.empty() ? std::string("Input/output error") : result.Failure));
            std::string lines;
            for (std::size_t r = 0; r < reports; ++r) lines += name + ": FAILED open or read\n";
            Print(lines);
            return;
        }
        std::string lines;
        bool allMatched = true;
        for (const Expected& value : item.Values) {
            const bool matched = Matches(result, value);
            allMatched = allMatched && matched;
            if (!item.OneReportPerValue) continue;
            if (!matched) ++counts_.Mismatched;
            if (!matched || !options_.Quiet) lines += name + (matched ? ": OK\n" : ": FAILED\n");
        }
        if (!item.OneReportPerValue) {
            if (!allMatched) ++counts_.Mismatched;
            if (!allMatched || !options_.Quiet) lines += name + (allMatched ? ": OK\n" : ": FAILED\n");
        }
        if (!allMatched) failed_ = true;
        Print(lines);
    }

    void Malformed(std::size_t line)
    {
        ++counts_.Malformed;
        if (options_.Strict) failed_ = true;
        Error(shown_ + ": " + std::to_string(line) + ": improperly formatted checksum line");
    }

    void Summary()
    {
        for (const auto& [digits, lines] : ambiguous_) {
            failed_ = true;
            const std::vector<AlgorithmId> fitting = DigestsOfHexLength(digits);
            std::string names, options;
            for (std::size_t k = 0; k < fitting.size(); ++k) {
                const char* joint = k == 0 ? "" : k + 1 == fitting.size() ? " or " : ", ";
                names += joint + std::string(InfoOf(fitting[k]).Name);
                options += joint + ("--" + std::string(OptionName(fitting[k])));
            }
            Error(shown_ + ": " + Plural(lines, "line has ", "lines have ") + std::to_string(digits) +
                  " hex digits, which may be " + names + "; add " + options + " to say which");
        }
        if (counts_.Checked == 0 && ambiguous_.empty()) {
            failed_ = true;
            Error(shown_ + ": no properly formatted checksum lines found");
            return;
        }
        if (counts_.Malformed > 0)
            Error("WARNING: " + Plural(counts_.Malformed, "line is", "lines are") + " improperly formatted");
        if (counts_.Unreadable > 0)
            Error("WARNING: " + Plural(counts_.Unreadable, "listed file", "listed files") + " could not be read");
        if (counts_.Mismatched > 0)
            Error("WARNING: " + Plural(counts_.Mismatched, "computed checksum", "computed checksums") +
                  " did NOT match");
    }

    void Print(const std::string& lines)
    {
        if (options_.Status || lines.empty()) return;
        progress_.Aside([&] {
            out_.Write(lines);
            out_.Flush();
        });
    }

    void Error(const std::string& message)
    {
        if (options_.Status) return;
        progress_.Aside([&] {
            out_.Flush();
            Complain(message);
        });
    }

    const Options& options_;
    StandardOutput& out_;
    ProgressLine& progress_;
    std::string path_, shown_;
    Counts counts_;
    std::map<std::size_t, std::size_t> ambiguous_; // hex length: lines
    bool failed_ = false;
    workflow::OrderedPool pool_; // last: its threads stop before the rest goes
};

} // namespace

int RunCheck(const Options& options, StandardOutput& out, ProgressLine& progress)
{
    Checker checker(options, out, progress);
    for (const std::string& path : options.Paths) checker.ChecksumFile(path);
    return checker.ExitStatus();
}

} // namespace sumbrook::cli
