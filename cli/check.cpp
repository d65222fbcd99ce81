#include "cli/check.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "checking/algorithms.h"
#include "checking/checksum_formats.h"
#include "checking/checksum_listing.h"
#include "checking/clearsigned_text.h"
#include "checking/result_file.h"
#include "checking/text_decoding.h"
#include "cli/hash_file.h"
#include "cli/progress_line.h"
#include "cli/standard_output.h"
#include "platform/stdio_file.h"
#include "workflow/native_path.h"
#include "workflow/ordered_pool.h"

namespace sumbrook::cli {

using namespace checking; // the checksum files, shared with the window

namespace {

using Expected = ExpectedValue;

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
    std::size_t Checked = 0;  // lines or entries properly formatted
    std::size_t Verified = 0; // listed files found, whether they matched or not
};

std::string Plural(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

// A checksum file's lines one at a time, so that memory follows the
// look-ahead, not the file. No line of a checksum file is longer than a name
// the system takes and a tag and value besides.
class LineReader {
public:
    static constexpr std::size_t kLongestLine = 3 * 4096 + 512;

    LineReader(std::FILE* file, char end) : file_(file), end_(end) { Fill(); }

    // What is read ahead, from the start of the file: enough to tell its format.
    std::string_view Ahead() const { return std::string_view(buffer_).substr(start_); }

    enum class Got {
        Line,
        End,
        TooLong,
        Failed
    };
    Got Next(std::string& line)
    {
        for (;;) {
            const std::size_t at = buffer_.find(end_, scanned_);
            if (at != std::string::npos) {
                line.assign(buffer_, start_, at - start_);
                start_ = scanned_ = at + 1;
                return Got::Line;
            }
            scanned_ = buffer_.size();
            if (scanned_ - start_ > kLongestLine) return Got::TooLong;
            if (eof_) {
                if (std::ferror(file_)) return Got::Failed;
                if (start_ == buffer_.size()) return Got::End;
                line.assign(buffer_, start_);
                start_ = scanned_ = buffer_.size();
                return Got::Line;
            }
            Fill();
        }
    }

    // The rest of the file at once (a result file, which the window wrote).
    bool Rest(std::string& bytes)
    {
        while (!eof_) Fill();
        bytes.assign(buffer_, start_);
        start_ = scanned_ = buffer_.size();
        return !std::ferror(file_);
    }

private:
    void Fill()
    {
        if (start_ > 0) {
            buffer_.erase(0, start_);
            scanned_ -= start_;
            start_ = 0;
        }
        char block[65536];
        const std::size_t got = std::fread(block, 1, sizeof block, file_);
        buffer_.append(block, got);
        if (got < sizeof block) eof_ = true;
    }

    std::FILE* file_;
    char end_;
    std::string buffer_;
    std::size_t start_ = 0, scanned_ = 0;
    bool eof_ = false;
};

bool Matches(const workflow::FileResult& result, const Expected& expected)
{
    const workflow::AlgorithmResult* computed = result.Find(expected.Algorithm);
    return computed != nullptr && !computed->Failed && std::ranges::equal(computed->Value.Bytes(), expected.Value);
}

class Checker {
public:
    Checker(const Options& options, StandardOutput& out, ProgressLine& progress)
        : options_(options), out_(out), progress_(progress), pool_(options.Threads, kLookAhead * options.Threads)
    {}

    void ChecksumFile(const std::string& path)
    {
        path_ = path;
        shown_ = QuotedName(path == "-" ? "standard input" : path);
        counts_ = {};
        ambiguous_.clear();
        struct Closer {
            void operator()(std::FILE* file) const { std::fclose(file); }
        };
        std::unique_ptr<std::FILE, Closer> owned;
        std::FILE* file = stdin;
        if (path != "-") {
            owned.reset(platform::OpenStdioFile(path, "rb"));
            if (!owned) {
                Error(shown_ + ": " + std::strerror(errno));
                failed_ = true;
                return;
            }
            file = owned.get();
        }
        LineReader reader(file, options_.Zero ? '\0' : '\n');
        if (LooksLikeResultFile(reader.Ahead())) {
            std::string bytes;
            if (!reader.Rest(bytes)) return ReadFailed();
            for (Listed& item : FromResultFile(bytes)) Queue(std::make_shared<Listed>(std::move(item)));
        } else if (!FromLines(reader)) {
            return;
        }
        pool_.Drain();
        Summary();
    }

    int ExitStatus() const { return undecided_ ? 2 : failed_ || out_.Failed() ? 1 : 0; }

private:
    void ReadFailed()
    {
        pool_.Drain();
        Error(shown_ + ": " + std::strerror(errno));
        failed_ = true;
    }

    void Queue(std::shared_ptr<Listed> item)
    {
        pool_.Push(
            [this, item] {
                AlgorithmSet algorithms;
                for (const Expected& value : item->Values) algorithms.Insert(value.Algorithm);
                item->Result = HashFile(item->Path, algorithms, options_.Threads, pool_, progress_);
            },
            [this, item] {
                Report(*item);
                item->Result = {};
            });
    }

    std::vector<Listed> FromResultFile(const std::string& bytes)
    {
        std::vector<Listed> listed;
        // The file names are looked up beside the result file.
        ChecksumListing listing = ListResultFile(bytes, FolderOfChecksumFile(path_));
        if (listing.Undecodable) {
            Error(shown_ + ": not in UTF-8 nor in the locale's code page");
            failed_ = true;
            return listed;
        }
        for (const std::size_t line : listing.MalformedLines) Malformed(line);
        for (ListedFile& file : listing.Files) {
            listed.push_back({std::move(file.Name), std::move(file.Path), std::move(file.Values), false, {}});
            ++counts_.Checked;
        }
        return listed;
    }

    // Each line as it is read; false when the file could not be read to its end.
    bool FromLines(LineReader& reader)
    {
        const std::optional<AlgorithmId> named = AlgorithmOfFileName(path_);
        const std::string folder = FolderOfChecksumFile(path_);
        ClearsignedText clearsigned;
        std::shared_ptr<Listed> pending;
        std::string read;
        for (std::size_t number = 1;; ++number) {
            const LineReader::Got got = reader.Next(read);
            if (got == LineReader::Got::TooLong) {
                pool_.Drain();
                Error(shown_ + ": " + std::to_string(number) + ": line too long for a checksum line; not read further");
                failed_ = true;
                return false;
            }
            if (got == LineReader::Got::Failed) {
                ReadFailed();
                return false;
            }
            if (got == LineReader::Got::End) break;
            std::string_view line = read;
            if (number == 1) line = WithoutByteOrderMark(line);
            if (!clearsigned.Keep(line)) continue;
            ParsedLine parsed = ParseChecksumLine(line);
            if (parsed.Comment) continue;
            if (!parsed.UnknownTag.empty()) {
                Malformed(number,
                          "unknown algorithm " + Quoted(parsed.UnknownTag) + ", which sumbrook-cli does not compute");
                continue;
            }
            if (!parsed.Line) {
                Malformed(number);
                continue;
            }
            ChecksumLine& entry = *parsed.Line;
            // As sha256sum: a name ends at a NUL.
            entry.Name.resize(std::min(entry.Name.size(), entry.Name.find('\0')));
            const std::optional<AlgorithmId> algorithm = entry.Algorithm ? entry.Algorithm : GnuAlgorithm(entry, named);
            if (!algorithm) continue;
            auto value = ParseDigestHex(*algorithm, entry.Hex);
            if (!value || entry.Hex.size() != HexLength(*algorithm)) {
                Malformed(number);
                continue;
            }
            ++counts_.Checked;
            // Coreutils takes names from the current folder; rhash takes SFV's from the file's.
            const std::string where =
                WindowsPath(entry.Kind == LineKind::Sfv ? ListedPath(folder, entry.Name) : entry.Name);
            // Lines in a row for one file (a BSD file of several algorithms) read it
            // once; a file listed over and over is read again, so memory stays bounded.
            if (!pending || pending->Path != where || pending->Name != entry.Name ||
                pending->Values.size() == kAlgorithmCount) {
                if (pending) Queue(std::move(pending));
                pending = std::make_shared<Listed>(Listed{entry.Name, where, {}, true, {}});
            }
            pending->Values.push_back({*algorithm, std::move(*value)});
        }
        if (pending) Queue(std::move(pending));
        if (clearsigned.Skipped)
            Error(shown_ + ": the OpenPGP armour around the lines was skipped; the signature was not verified");
        return true;
    }

    // A name written on Windows ("dir\\file.txt") is tried with slashes when
    // it does not exist as it is.
    static std::string WindowsPath(const std::string& path)
    {
        if (path.find('\\') == std::string::npos || path == "-") return path;
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::path(path), error)) return path;
        std::string slashed = path;
        std::ranges::replace(slashed, '\\', '/');
        return std::filesystem::exists(std::filesystem::path(slashed), error) ? slashed : path;
    }

    // An option, then the checksum file's name, then the hex length alone:
    // the one algorithm of that length, or else the one the usual tools
    // (md5sum, sha1sum, sha256sum...) write at it. Options naming several
    // algorithms of the length leave it undecided.
    std::optional<AlgorithmId> GnuAlgorithm(const ChecksumLine& entry, std::optional<AlgorithmId> named)
    {
        const std::vector<AlgorithmId> fitting = DigestsOfHexLength(entry.Hex.size());
        std::vector<AlgorithmId> chosen;
        for (const AlgorithmId a : fitting)
            if (options_.Algorithms.Contains(a)) chosen.push_back(a);
        if (chosen.size() == 1) return chosen.front();
        if (chosen.empty()) {
            if (named && std::ranges::find(fitting, *named) != fitting.end()) return named;
            if (fitting.size() == 1) return fitting.front();
            if (const auto usual = UsualOfHexLength(entry.Hex.size())) return usual;
        }
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
            ++counts_.Verified;
            const std::size_t reports = item.OneReportPerValue ? item.Values.size() : 1;
            counts_.Unreadable += reports;
            failed_ = true;
            Error(QuotedName(item.Name) + ": " +
                  (result.Failure.empty() ? std::string("Input/output error") : result.Failure));
            std::string lines;
            for (std::size_t r = 0; r < reports; ++r) lines += name + ": FAILED open or read\n";
            Print(lines);
            return;
        }
        ++counts_.Verified;
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

    void Malformed(std::size_t line, const std::string& why = "improperly formatted checksum line")
    {
        ++counts_.Malformed;
        if (options_.Strict) failed_ = true;
        Error(shown_ + ": " + std::to_string(line) + ": " + why);
    }

    void Summary()
    {
        for (const auto& [digits, lines] : ambiguous_) {
            undecided_ = true;
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
        if (options_.IgnoreMissing && counts_.Verified == 0 && counts_.Checked > 0) {
            failed_ = true;
            Error(shown_ + ": no file was verified");
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
    bool undecided_ = false;     // lines whose algorithm no option or name told: a usage error
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
